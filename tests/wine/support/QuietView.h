#pragma once
// A view for engine and deletion runs whose progress a test does not read:
// it shows and tells nothing.
#include "engine/SearchView.h"

class QuietView : public SearchView {
public:
    void SetProgressRange(Bar, int, int) override {}
    void SetProgress(Bar, int) override {}
    int Progress(Bar) const override { return 0; }
    void ShowStatus(const std::string&) override {}
    void ShowFound(const std::string&) override {}
    void ShowAborting() override {}
    bool FileDidNotOpen(const std::string&) override { return true; }
    void ComparisonEnded(std::int64_t) override {}
    void FoldersNotListed(int, const std::vector<std::string>&) override {}
};
