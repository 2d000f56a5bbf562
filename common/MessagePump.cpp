#include "common/MessagePump.h"

#include <windows.h>

bool MessagePump::PumpOne() {
    const std::uint64_t RepaintIntervalMs = 16;
    const std::uint64_t QuietIntervalMs = 10;
    const std::uint64_t now = GetTickCount64();
    // A look into an empty queue costs a round trip to the window server
    // under Wine, tens of microseconds: after one, the queue is looked at
    // again a few milliseconds later. Once a message turns up, every call
    // looks, so waiting input drains at the caller's full pace.
    if (queueWasEmpty_ && now - lastLookTick_ < QuietIntervalMs) return false;
    lastLookTick_ = now;
    UINT flags = PM_REMOVE;
    if (now - lastRepaintTick_ < RepaintIntervalMs) {
        flags |= PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;  // all but paint and timers
    } else {
        lastRepaintTick_ = now;
    }
    MSG message;
    queueWasEmpty_ = !PeekMessageA(&message, nullptr, 0, 0, flags);
    if (queueWasEmpty_) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}
