#pragma once
// Draws a list again at most every `intervalMs` while lines are added to it
// in bulk. Under Wine every line added to a visible list redraws its scroll
// bar at once, which costs milliseconds; batched, the list still grows
// before the user's eyes, a few times a second.
#include "platform/Window.h"

#include <cstdint>

class ListRedrawBatch {
public:
    ListRedrawBatch(Window list, std::uint64_t intervalMs);
    ~ListRedrawBatch();
    ListRedrawBatch(const ListRedrawBatch&) = delete;
    ListRedrawBatch& operator=(const ListRedrawBatch&) = delete;

    // Whether the interval has passed since the list was last drawn.
    bool Due() const;
    // Draws the list now; later changes wait for the next drawing.
    void Draw();

private:
    // `frame` is RDW_FRAME to draw the non-client area too, or 0.
    void Redraw(UINT frame) const;

    Window list_;
    std::uint64_t intervalMs_;
    std::uint64_t lastRedraw_;
};
