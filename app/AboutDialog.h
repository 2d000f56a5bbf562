#pragma once
// The About box: icon, name and version, and three lines about the program.
#include "platform/Dialog.h"
#include "res/resource.h"

class CAboutDialog : public Dialog {
public:
    CAboutDialog() : Dialog(IDD_ABOUTBOX) {}
};
