#include "platform/ListRedrawBatch.h"

ListRedrawBatch::ListRedrawBatch(Window list, std::uint64_t intervalMs)
    : hold_(list), intervalMs_(intervalMs), lastRedraw_(GetTickCount64()) {}

bool ListRedrawBatch::Due() const { return GetTickCount64() - lastRedraw_ >= intervalMs_; }

void ListRedrawBatch::Draw() {
    hold_.Draw();
    lastRedraw_ = GetTickCount64();
}
