// Entry point of vellaro.exe.
#include "app/DuplicateApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CDuplicateApp application;
    application.InitInstance();
    return 0;
}
