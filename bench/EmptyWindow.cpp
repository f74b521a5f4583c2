// The smallest window program: one top-level window and a message loop, nothing else. Its
// start-up time and memory under Wine are the yardstick for the tool's.
#include <windows.h>

namespace {

LRESULT CALLBACK EmptyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = EmptyProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "EmptyWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "EmptyWindow", "empty window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                400, 300, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
