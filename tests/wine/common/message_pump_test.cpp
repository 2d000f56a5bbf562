// The pump of the long operations: after it found the queue empty it looks
// again only a few milliseconds later, but no message is left behind, and
// waiting messages go one a call.
#include "common/MessagePump.h"
#include "support/HostWindow.h"

#include <gtest/gtest.h>

TEST(MessagePump, HandsOverMessagesPostedAfterAnEmptyLook) {
    HostWindow host("pump", 100, 100);
    int commandsHandled = 0;
    const auto post = [&host] { PostMessageA(host.Handle(), WM_COMMAND, 2000, 0); };
    host.onCommand = [&commandsHandled](WPARAM, LPARAM) { ++commandsHandled; };
    MessagePump pump;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    pump.PumpOne();  // finds nothing
    post();
    const ULONGLONG start = GetTickCount64();
    while (commandsHandled == 0 && GetTickCount64() - start < 2000) pump.PumpOne();
    EXPECT_EQ(commandsHandled, 1);

    // Once a message turned up, every call looks: a chain is handed over
    // one message a call, however fast the calls come.
    host.onCommand = [&](WPARAM, LPARAM) {
        if (++commandsHandled < 5) post();
    };
    post();
    for (int call = 0; call < 4; ++call) pump.PumpOne();
    EXPECT_EQ(commandsHandled, 5);
}
