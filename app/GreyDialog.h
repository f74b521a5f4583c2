#pragma once

#include "Dialog.h"

// A dialog on light grey, whose labels share that grey, and which Esc cancels even without
// a Cancel button.
class GreyDialog : public Dialog {
public:
    using Dialog::Dialog;

protected:
    void HandleMessage(MessageRecord& Msg) override;
    void HandleCommand(MessageRecord& Msg, unsigned Id) override;
};
