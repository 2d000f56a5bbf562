#pragma once
// What a long operation on the window's thread needs of the window: the
// pump that keeps the window answering, the abort request, and the view it
// reports through while it runs. Each long operation owns one, made over the
// window's pump; its Abort is the context's.
#include "common/MessagePump.h"
#include "engine/SearchView.h"

class OperationContext {
public:
    explicit OperationContext(MessagePump& pump) : pump_(pump) {}
    OperationContext(const OperationContext&) = delete;
    OperationContext& operator=(const OperationContext&) = delete;

    // Starts a run that reports through `view`, the caller's for the run:
    // no abort is asked for yet, and what waited for the operation is
    // handed over at its first step.
    void Begin(SearchView& view) {
        view_ = &view;
        aborted_ = false;
        pump_.LookNextTime();
    }
    // One step of the run: hands over at most one waiting message; false
    // once an abort was asked for, by that message or before.
    bool GoOn() {
        pump_.PumpOne();
        return !aborted_;
    }
    // A step that waits for other work: when no message waits, `wait` may
    // block until that work has news or a message arrives (true: a message,
    // which the next step then hands over at once).
    template <class Wait>
    bool GoOnOrWait(Wait&& wait) {
        if (!pump_.PumpOne() && wait()) pump_.LookNextTime();
        return !aborted_;
    }
    // Stops the run at its next step.
    void Abort() { aborted_ = true; }
    bool Aborted() const { return aborted_; }

    SearchView& View() const { return *view_; }

private:
    MessagePump& pump_;
    SearchView* view_ = nullptr;
    bool aborted_ = false;
};
