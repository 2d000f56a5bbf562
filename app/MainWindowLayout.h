#pragma once
// Keeps the main window's controls in their places as the window is sized:
// the group list widens, the candidate list grows both ways, and the
// controls along the bottom follow the bottom edge, the main progress bar
// widening and the status field keeping to the right. The size the window
// opens with, its template's, is its smallest.
#include <windows.h>

#include <vector>

class CMainWindowLayout {
public:
    // How a control follows the client area's growth.
    enum Anchor : unsigned {
        Fixed = 0,
        Widen = 1,
        Heighten = 2,
        FollowBottom = 4,
        FollowRight = 8,
    };
    struct Rule {
        int controlId;
        unsigned anchors;
    };

    explicit CMainWindowLayout(std::vector<Rule> rules) : rules_(std::move(rules)) {}

    // Notes the window's size and every ruled control's place in it.
    void Capture(HWND window);
    // Places the controls for the window's client size now.
    void Apply(HWND window) const;
    // The captured places and sizes as they are at another DPI.
    void Rescale(int fromDpi, int toDpi);
    // The smallest window size the user may size to; none before Capture.
    void LimitTracking(MINMAXINFO& limits) const;

private:
    struct Placement {
        HWND control;
        RECT rect;  // in client coordinates, at the captured size
        unsigned anchors;
    };

    std::vector<Rule> rules_;
    std::vector<Placement> placements_;
    SIZE client_ = {0, 0};
    SIZE window_ = {0, 0};
};
