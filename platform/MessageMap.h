#pragma once
// Message maps as tables: a row binds a control id and notification code, or
// a window message, to a handler of the dialog class.
#include <windows.h>

template <class Dialog>
struct CommandEntry {
    int controlId;
    int notifyCode;
    void (Dialog::*handler)();
};

template <class Dialog>
struct MessageEntry {
    UINT message;
    // Returns true when the message is handled; `result` is then its answer.
    bool (Dialog::*handler)(WPARAM wParam, LPARAM lParam, LRESULT& result);
};

template <class Dialog, size_t N>
bool RouteCommand(const CommandEntry<Dialog> (&map)[N], Dialog* dialog, int id, int code) {
    for (const auto& entry : map) {
        if (entry.controlId == id && entry.notifyCode == code) {
            (dialog->*entry.handler)();
            return true;
        }
    }
    return false;
}

template <class Dialog, size_t N>
bool RouteMessage(const MessageEntry<Dialog> (&map)[N], Dialog* dialog, UINT message,
                  WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const auto& entry : map) {
        if (entry.message == message) return (dialog->*entry.handler)(wParam, lParam, result);
    }
    return false;
}
