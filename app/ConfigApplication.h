#pragma once

#include "Application.h"

// The tool's application: its main window is a MainWindow titled with the application's name.
class ConfigApplication : public Application {
public:
    using Application::Application;

protected:
    void MakeMainWindow() override;
};
