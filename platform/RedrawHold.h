#pragma once
// Holds back the drawing of a window, a list above all, while it is changed
// in bulk, and draws it once when let go. Under Wine every line added to a
// shown list box draws the list and sets its scroll bars at once, which
// costs milliseconds a line.
#include "platform/Window.h"

class RedrawHold {
public:
    explicit RedrawHold(Window window);
    // Lets go and draws the window, its frame (the scroll bars) included.
    ~RedrawHold();
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;

    // Draws the changes so far and holds back again.
    void Draw();

private:
    // `frame` is RDW_FRAME to draw the non-client area too, or 0.
    void LetGo(UINT frame) const;

    Window window_;
};
