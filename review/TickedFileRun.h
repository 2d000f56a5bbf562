#pragma once
// What the runs over the confirmed ticks (deleting, linking) keep for one
// press: the operation with its abort, the identities and direct names read
// so far, the lines whose files are done, and the read buffers. Each press
// begins afresh: a file may have changed since the last one.
#include "common/MessagePump.h"
#include "engine/OperationContext.h"
#include "engine/SearchView.h"
#include "platform/FileIdentities.h"
#include "review/DirectNames.h"

#include <vector>

class TickedFileRun {
public:
    // Stops a run before its next file (the window is closing); the run
    // then leaves the list alone.
    void Abort() { operation_.Abort(); }
    bool Aborted() const { return operation_.Aborted(); }

protected:
    // The pump is the window's; it outlives the object.
    explicit TickedFileRun(MessagePump& pump) : operation_(pump) {}
    ~TickedFileRun() = default;

    // Starts a press on `view`, forgetting what the last one read.
    void Begin(SearchView& view);

    OperationContext operation_;
    FileIdentities identities_;
    DirectNames names_;
    std::vector<int> gone_;  // lines whose files are done
    std::vector<unsigned char> buffers_;
};
