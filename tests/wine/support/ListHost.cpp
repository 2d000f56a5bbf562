#include "support/ListHost.h"

ListHost::ListHost(DWORD listStyle, int width, int height) : window_("list host", width + 40, height + 60) {
    window_.onCommand = [this](WPARAM wParam, LPARAM lParam) {
        if (lParam) notifications_.emplace_back(LOWORD(wParam), HIWORD(wParam));
    };
    list_ = window_.AddChild("LISTBOX", WS_TABSTOP | listStyle, WS_EX_CLIENTEDGE, ListId, 10, 10, width, height);
}
