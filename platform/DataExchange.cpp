#include "platform/DataExchange.h"

#include "platform/CheckListBox.h"

void DataExchange::Control(int id, CheckListBox& control) {
    HWND item = GetDlgItem(dialog_, id);
    if (control.Handle() != item) control.Attach(item);
}

void DataExchange::Check(int id, int& value) {
    HWND item = GetDlgItem(dialog_, id);
    if (save_) value = static_cast<int>(SendMessageA(item, BM_GETCHECK, 0, 0));
    else SendMessageA(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DataExchange::Text(int id, std::string& value) {
    Window item(GetDlgItem(dialog_, id));
    if (save_) value = item.Text();
    else item.SetText(value);
}
