#pragma once
// Binds control objects to a dialog's controls and moves field values
// between fields and controls, in one direction per exchange.
#include "platform/Window.h"

#include <string>

class DataExchange {
public:
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}
    bool Saving() const { return save_; }

    void Control(int id, Window& control) { control = Window(GetDlgItem(dialog_, id)); }
    // An object that subclasses its control attaches to it once.
    template <class Subclassing>
    void Attach(int id, Subclassing& control) {
        HWND item = GetDlgItem(dialog_, id);
        if (control.Handle() != item) control.Attach(item);
    }
    void Check(int id, int& value);
    void Text(int id, std::string& value);
    // The text exactly, whatever its characters.
    void Text(int id, std::wstring& value);

private:
    HWND dialog_;
    bool save_;
};
