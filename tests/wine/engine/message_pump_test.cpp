// The pump of the long operations: after it found the queue empty it looks
// again only a few milliseconds later, but no message is left behind, and
// waiting messages go one a call.
#include "EngineHost.h"
#include "common/CommonTools.h"

#include <gtest/gtest.h>

TEST(MessagePump, HandsOverMessagesPostedAfterAnEmptyLook) {
    EngineHost host;
    CCommonTools tools;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    tools.PumpOneMessage();  // finds nothing
    host.PostCommand();
    const ULONGLONG start = GetTickCount64();
    while (host.commandsHandled == 0 && GetTickCount64() - start < 2000) tools.PumpOneMessage();
    EXPECT_EQ(host.commandsHandled, 1);

    // Once a message turned up, every call looks: a chain is handed over
    // one message a call, however fast the calls come.
    host.onCommand = [&host] {
        if (host.commandsHandled < 5) host.PostCommand();
    };
    host.PostCommand();
    for (int call = 0; call < 4; ++call) tools.PumpOneMessage();
    EXPECT_EQ(host.commandsHandled, 5);
}
