#pragma once
// What the engine shows while it works and asks of the user: the window
// that runs a search implements it over its controls, so that the engine
// knows no control.
#include <windows.h>

#include <string>

class SearchView {
public:
    // The bar of the whole phase, and the bar of the run of files being
    // compared.
    enum class Bar { Main, Run };

    virtual ~SearchView() = default;

    virtual void SetProgressRange(Bar bar, int low, int high) = 0;
    virtual void SetProgress(Bar bar, int position) = 0;
    // The position the bar shows.
    virtual int Progress(Bar bar) const = 0;
    // The status field.
    virtual void ShowStatus(const std::string& text) = 0;
    // The file a walk found last, shown as the walk goes on.
    virtual void ShowFound(const std::string& path) = 0;
    // An abort was asked for, and the work takes a while yet to stop.
    virtual void ShowAborting() = 0;
    // A message box of `type` (MB_OK, MB_YESNO, ... and an icon); returns
    // the button pressed.
    virtual int Message(const std::string& text, UINT type) = 0;
};
