#include "SettingsDialog.h"

#include "AddressComboBox.h"
#include "BaudRateComboBox.h"
#include "LinkSettings.h"
#include "ParityComboBox.h"

#include <cstdint>

namespace {
// Items of dialog resource 1.
enum { BaudRateItem = 101, ParityItem = 102, AddressItem = 103 };
}

SettingsDialog::SettingsDialog(WindowsObject* Parent, LinkSettings* Target)
    : GreyDialog(Parent, MAKEINTRESOURCEA(1)),
      BaudRateList(new BaudRateComboBox(this, BaudRateItem)),
      ParityList(new ParityComboBox(this, ParityItem)),
      AddressList(new AddressComboBox(this, AddressItem)),
      Target(Target)
{
}

void SettingsDialog::PrepareWindow()
{
    GreyDialog::PrepareWindow();
    if (Target == nullptr)
        return;
    BaudRateList->SetSelIndex(Target->BaudIndex);
    ParityList->SetSelIndex(Target->ParityIndex);
    AddressList->SetSelIndex(Target->Address - 1);
}

void SettingsDialog::Ok(MessageRecord& Msg)
{
    if (Target != nullptr) {
        Target->BaudIndex = static_cast<std::uint8_t>(BaudRateList->GetSelIndex());
        Target->ParityIndex = static_cast<std::uint8_t>(ParityList->GetSelIndex());
        Target->Address = static_cast<std::uint8_t>(AddressList->GetSelIndex() + 1);
    }
    GreyDialog::Ok(Msg);
}
