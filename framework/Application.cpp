#include "Application.h"

#include "Window.h"

Application* CurrentApplication = nullptr;

Application::Application(const char* name) : Name(name)
{
    CurrentApplication = this;
}

Application::~Application()
{
    if (CurrentApplication == this)
        CurrentApplication = nullptr;
}

void Application::SetUpInstance()
{
    MakeMainWindow();
    // While the window is created PrimaryWindow names the object, so it counts as main window.
    PrimaryWindow = static_cast<Window*>(CreateOrDiscard(PrimaryWindow));
    if (PrimaryWindow)
        PrimaryWindow->Show(SW_SHOWNORMAL);
}

void Application::MakeMainWindow()
{
    PrimaryWindow = new Window(nullptr, Name);
}

bool Application::OnIdle()
{
    return false;
}

bool Application::QueryClose()
{
    return PrimaryWindow->QueryClose();
}

void Application::Start()
{
    if (SetUpDone)
        return;
    SetUpDone = true;
    SetUpInstance();
}

void Application::Run()
{
    Start();
    if (!PrimaryWindow)
        return;
    MSG message;
    do {
        if (!PumpOneMessage(message) && !OnIdle())
            WaitMessage();
    } while (!QuitReceived);
}

void Application::SetKeyboardWindow(WindowsObject* object)
{
    KeyboardWindow = object;
}

WindowsObject* Application::CreateOrDiscard(WindowsObject* object)
{
    if (!object || object->CreateHandle())
        return object;
    WindowsObject::Delete(object);
    return nullptr;
}

bool Application::PumpOneMessage(MSG& message)
{
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        QuitReceived = true;
    } else if (!PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

bool Application::PreTranslate(MSG& message)
{
    return TranslateMdiKeys(message) || TranslateAccelerators(message) || TranslateDialogKeys(message);
}

bool Application::TranslateMdiKeys(MSG& message)
{
    return MdiClient && MdiClient->Handle && TranslateMDISysAccel(MdiClient->Handle, &message);
}

bool Application::TranslateAccelerators(MSG& message)
{
    return PrimaryWindow && PrimaryWindow->Handle && Accelerators &&
           TranslateAcceleratorA(PrimaryWindow->Handle, Accelerators, &message);
}

bool Application::TranslateDialogKeys(MSG& message)
{
    return KeyboardWindow && KeyboardWindow->Handle && IsDialogMessageA(KeyboardWindow->Handle, &message);
}
