#include "platform/DataExchange.h"

void DataExchange::Check(int id, int& value) {
    Button item(GetDlgItem(dialog_, id));
    if (save_) value = item.Check();
    else item.SetCheck(value);
}

void DataExchange::Text(int id, std::wstring& value) {
    Window item(GetDlgItem(dialog_, id));
    if (save_) value = item.WideText();
    else item.SetWideText(value);
}

void DataExchange::Text(int id, std::string& value) {
    Window item(GetDlgItem(dialog_, id));
    if (save_) value = item.Text();
    else item.SetText(value);
}
