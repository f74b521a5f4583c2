// The program entry of zef-config.exe. It takes no arguments and ends with exit code 0.
#include "ConfigApplication.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    static ConfigApplication application("ZEF config");
    application.Start();
    application.Run();
    return 0;
}
