#pragma once
// What the comparison of one run does between its reads: hands over one
// waiting message, so that the window stays responsive and the abort can
// arrive, and shows the files decided on the run's progress bar.
#include "common/MessagePump.h"
#include "engine/PacedProgress.h"
#include "engine/core/RunComparison.h"

class RunProgressReport : public engine::RunProgress {
public:
    // The bar's range is first to last, the run's positions in the job;
    // `aborted` is the abort flag of the running comparison.
    RunProgressReport(MessagePump& pump, const bool& aborted, PacedProgress& bar, int first, int last)
        : pump_(pump), aborted_(aborted), bar_(bar), first_(first), last_(last) {}

    bool Interrupted() override;
    void Decided(std::size_t decided) override;

private:
    MessagePump& pump_;
    const bool& aborted_;
    PacedProgress& bar_;
    int first_;
    int last_;
};
