#pragma once
// Draws a list again at most every `intervalMs` while lines are added to it
// in bulk (see RedrawHold): the list still grows before the user's eyes, a
// few times a second.
#include "platform/RedrawHold.h"

#include <cstdint>

class ListRedrawBatch {
public:
    ListRedrawBatch(Window list, std::uint64_t intervalMs);

    // Whether the interval has passed since the list was last drawn.
    bool Due() const;
    // Draws the list now; later changes wait for the next drawing.
    void Draw();

private:
    RedrawHold hold_;
    std::uint64_t intervalMs_;
    std::uint64_t lastRedraw_;
};
