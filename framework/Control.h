#pragma once

#include "Window.h"

// The base of the wrappers of the predefined control classes. A control's window is a child
// window of a predefined class, created from the object's creation attributes or bound to a
// dialog item by id; either way it is subclassed, so its messages reach the object first and go
// on to the class's own procedure. Every concrete kind names its class; a plain Control is
// never created.
class Control : public Window {
public:
    // WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP at the given place, with the control id.
    Control(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id);
    // Bound to the parent's dialog item `resourceId`; the template decides class and style.
    Control(WindowsObject* parent, int resourceId);

    const char* WindowClassName() override = 0;
    // The predefined classes exist already.
    bool EnsureClassRegistered() override;

protected:
    ~Control() override = default;

    // The control class paints itself.
    void OnPaint(MessageRecord& record) override;
};
