#include "ConfigApplication.h"

#include "MainWindow.h"

void ConfigApplication::MakeMainWindow()
{
    PrimaryWindow = new MainWindow(Name);
}
