#pragma once

#include "GreyDialog.h"

class AddressComboBox;
class BaudRateComboBox;
class ParityComboBox;
struct LinkSettings;

// The tool's line settings (dialog resource 1): shows Target and overwrites it on OK only.
class SettingsDialog : public GreyDialog {
public:
    SettingsDialog(WindowsObject* Parent, LinkSettings* Target);

protected:
    void PrepareWindow() override;
    void Ok(MessageRecord& Msg) override;

private:
    BaudRateComboBox* BaudRateList;
    ParityComboBox* ParityList;
    AddressComboBox* AddressList;
    LinkSettings* Target;  // not owned; may be null
};
