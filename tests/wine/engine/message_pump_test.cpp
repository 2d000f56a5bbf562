// The pump of the long operations: after it found the queue empty it looks
// again only a few milliseconds later, but no message is left behind, and
// waiting messages go one a call.
#include "EngineHost.h"
#include "common/MessagePump.h"

#include <gtest/gtest.h>

TEST(MessagePump, HandsOverMessagesPostedAfterAnEmptyLook) {
    EngineHost host;
    MessagePump pump;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    pump.PumpOne();  // finds nothing
    host.PostCommand();
    const ULONGLONG start = GetTickCount64();
    while (host.commandsHandled == 0 && GetTickCount64() - start < 2000) pump.PumpOne();
    EXPECT_EQ(host.commandsHandled, 1);

    // Once a message turned up, every call looks: a chain is handed over
    // one message a call, however fast the calls come.
    host.onCommand = [&host] {
        if (host.commandsHandled < 5) host.PostCommand();
    };
    host.PostCommand();
    for (int call = 0; call < 4; ++call) pump.PumpOne();
    EXPECT_EQ(host.commandsHandled, 5);
}
