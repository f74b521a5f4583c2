#pragma once

#include "Control.h"

// A static text (SS_LEFT). Its data exchange record is its text, zero-terminated, in a field of
// TextLength bytes.
class Static : public Control {
public:
    Static(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id, int textLength);

    // Size in bytes, terminator included, of the exchanged text; an edit also limits its text
    // to TextLength - 1 characters (0: no limit).
    int TextLength = 0;

    // GetWindowTextA: characters copied, at most maxCount - 1, always terminated.
    int GetText(char* buffer, int maxCount);
    // SetWindowTextA: the success flag.
    bool SetText(const char* text);
    // SetText("")
    bool Clear();

    const char* WindowClassName() override;
    unsigned ExchangeData(void* data, unsigned direction) override;

protected:
    ~Static() override = default;
};
