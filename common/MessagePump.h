#pragma once
// Hands waiting messages over while a long operation runs on the window's
// thread, so that the window stays responsive and an abort can arrive. One
// pump serves the whole program: its memory of the last looks into the queue
// is what keeps the looks cheap, so it is shared, never copied.
#include <cstdint>

class MessagePump {
public:
    MessagePump() = default;
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;

    // Hands over at most one waiting message, without dialog keyboard
    // handling; never waits. Repaints pass at most about sixty times a
    // second: more cannot be seen, and each costs milliseconds under Wine.
    // An empty queue is looked at again only some milliseconds later.
    // true when a message was handed over.
    bool PumpOne();
    // The next call looks into the queue whatever the last look found: an
    // operation that starts hands over at once what waited for it.
    void LookNextTime() { queueWasEmpty_ = false; }

private:
    std::uint64_t lastRepaintTick_ = 0;
    std::uint64_t lastLookTick_ = 0;
    bool queueWasEmpty_ = false;
};
