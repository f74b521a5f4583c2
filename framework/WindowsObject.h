#pragma once

#include "BaseObject.h"
#include "MessageRecord.h"

#include <windows.h>

#include <cstdint>

// The module instance of the program, to which the framework's window classes belong.
HINSTANCE ModuleInstance();

// The abstract base of every window object: windows, dialogs and controls. It owns its window
// handle, its children (a circular ring) and its window-procedure stub, through which every
// message of its window arrives at HandleMessage as a MessageRecord; it dispatches the messages
// that every kind of window shares.
//
// Deletion. An object is deleted only through WindowsObject::Delete, which destroys the window
// and deletes the children while the object is still complete, so the messages sent meanwhile
// (WM_DESTROY above all) reach every override of the object; then the destructor chain runs.
// The destructors of WindowsObject and Window are protected, and derived types keep theirs
// protected too, so `delete` on a window object does not compile. Deleting through a BaseObject
// pointer, which the compiler cannot stop, is caught by the destructor: it cuts the window (or
// dialog) off from the half-destroyed object and then runs the same steps, so the object graph
// stays sound, but the object's own handlers miss its last messages.
//
// The virtual operations are declared in their slot order; derived types end in the inherited
// operation for what they do not handle. User-interface thread only.
class WindowsObject : public BaseObject {
public:
    // Flags.
    static constexpr std::uint32_t KeyboardNavigation = 1;  // dialog-style keys; focus kept across deactivation
    static constexpr std::uint32_t FromResource = 2;        // CreateHandle binds to the parent's dialog item MenuOrId
    static constexpr std::uint32_t DataExchange = 4;        // takes part in the parent's ExchangeChildData

    // Directions of ExchangeData.
    static constexpr unsigned DataFromControls = 1;
    static constexpr unsigned DataToControls = 2;

    // The command that closes the main window from any of its descendants.
    static constexpr unsigned ExitCommandId = 65300;

    // Links the object at the end of the parent's children, then takes its stub.
    explicit WindowsObject(WindowsObject* parent);
    WindowsObject(const WindowsObject&) = delete;
    WindowsObject& operator=(const WindowsObject&) = delete;

    // Deletes `object` (null is ignored): DestroyHandle, deletion of the children first to last,
    // unlinking from the parent, and the application forgets it as main and keyboard window;
    // then the destructors run and the stub goes back to the pool. Safe from the object's own
    // message handlers: nothing touches the object after its handler has deleted it.
    static void Delete(WindowsObject* object);

    WindowsObject* Parent = nullptr;       // not owned
    WindowsObject* LastChild = nullptr;    // the children are owned
    WindowsObject* NextSibling = nullptr;  // the ring of the parent's children; the last leads to the first
    WNDPROC Thunk = nullptr;               // this object's window procedure; null if the pool had no memory
    HWND Handle = nullptr;                 // never reset once set
    std::uint32_t Flags = 0;
    void* DataBuffer = nullptr;            // not owned

    virtual void DefaultHandler(MessageRecord& record) = 0;
    virtual void DefaultCommandHandler(MessageRecord& record);
    virtual void DefaultChildNotifyHandler(MessageRecord& record);
    virtual void DefaultNotifyHandler(MessageRecord& record);
    virtual void HandleMessage(MessageRecord& record);
    virtual void HandleCommand(MessageRecord& record, unsigned id);
    virtual void HandleChildNotify(MessageRecord& record, unsigned id);
    virtual void HandleNotify(MessageRecord& record, unsigned code);
    virtual int GetId();
    virtual const char* WindowClassName();
    virtual void FillWindowClass(WNDCLASSA& windowClass) = 0;
    virtual bool EnsureClassRegistered();
    virtual bool CreateHandle() = 0;
    virtual unsigned ExchangeData(void* data, unsigned direction);
    virtual void PrepareWindow();
    virtual void DestroyHandle();
    virtual bool QueryClose();

    void AddChild(WindowsObject* child);
    void RemoveChild(WindowsObject* child);

    // Calls `action` for every child, first to last; it may delete the child it is given.
    // Children added meanwhile are not visited.
    template <typename Action>
    void ForEachChild(Action action)
    {
        if (!LastChild)
            return;
        WindowsObject* last = LastChild;
        WindowsObject* child = last->NextSibling;
        while (child != last) {
            WindowsObject* next = child->NextSibling;
            action(child);
            child = next;
        }
        action(last);
    }

    // The first child, in ring order, for which `test` holds; null if none. The test must not
    // remove the child it is given.
    template <typename Test>
    WindowsObject* FirstChildThat(Test test) const
    {
        if (!LastChild)
            return nullptr;
        WindowsObject* child = LastChild;
        do {
            child = child->NextSibling;
            if (test(child))
                return child;
        } while (child != LastChild);
        return nullptr;
    }

    void SetFlag(std::uint32_t mask);
    bool HasFlag(std::uint32_t mask) const;
    void EnableKeyboardNavigation();
    void EnableDataExchange();
    bool CreateChildren();
    void ExchangeChildData(unsigned direction);
    void Show(int showCommand);
    void TryClose();
    void RouteControlScroll(MessageRecord& record);

protected:
    ~WindowsObject() override;

    virtual void OnActivate(MessageRecord& record);
    virtual void OnCommand(MessageRecord& record);
    virtual void OnHScroll(MessageRecord& record);
    virtual void OnVScroll(MessageRecord& record);
    virtual void OnClose(MessageRecord& record);
    virtual void OnDestroy(MessageRecord& record);
    virtual void OnQueryEndSession(MessageRecord& record);
    virtual void OnExitCommand(MessageRecord& record);

    // True when this object is the application's main window.
    bool IsMainWindow() const;
    // Whether the object may close: the application's QueryClose for the main window, else its own.
    bool MayClose();

private:
    // Steps of the deletion that run before the destructors.
    void TearDown();
    // Stops the window from calling this object's stub.
    void DetachWindow();

    bool Deleting = false;
};
