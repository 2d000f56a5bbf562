#pragma once
// Binds control objects to a dialog's controls and moves field values
// between fields and controls, in one direction per exchange.
#include "platform/Window.h"

#include <string>

class CheckListBox;

class DataExchange {
public:
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}
    bool Saving() const { return save_; }

    void Control(int id, Window& control) { control = Window(GetDlgItem(dialog_, id)); }
    void Control(int id, CheckListBox& control);
    void Check(int id, int& value);
    void Text(int id, std::string& value);
    // The text exactly, whatever its characters.
    void Text(int id, std::wstring& value);

private:
    HWND dialog_;
    bool save_;
};
