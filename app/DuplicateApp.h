#pragma once
// Starts the program: shows the main window modally and ends when it closes.
#include <windows.h>

class CDuplicateApp {
public:
    virtual ~CDuplicateApp() = default;
    // Returns FALSE: there is no message loop of the application's own.
    BOOL InitInstance();
};
