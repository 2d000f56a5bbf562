#pragma once
// What the engine shows while it works and tells the user: the window that
// runs a search implements it over its controls and words what it tells,
// so that the engine knows no control and no message.
#include <cstdint>
#include <string>
#include <vector>

class SearchView {
public:
    // The bar of the whole phase, and the bar of the run of files being
    // compared.
    enum class Bar { Main, Run };

    virtual ~SearchView() = default;

    virtual void SetProgressRange(Bar bar, int low, int high) = 0;
    virtual void SetProgress(Bar bar, int position) = 0;
    // The position the bar shows.
    virtual int Progress(Bar bar) const = 0;
    // The status field.
    virtual void ShowStatus(const std::string& text) = 0;
    // The file a walk found last, shown as the walk goes on.
    virtual void ShowFound(const std::string& path) = 0;
    // An abort was asked for, and the work takes a while yet to stop.
    virtual void ShowAborting() = 0;
    // A file of the comparison could not be opened: `path` is its display
    // text. false when the user wants to hear of no more of them.
    virtual bool FileDidNotOpen(const std::string& path) = 0;
    // The comparison is over, finished or aborted, after `seconds`.
    virtual void ComparisonEnded(std::int64_t seconds) = 0;
    // `count` folders of a walk could not be listed; `firstFew` are the
    // display texts of the first of them.
    virtual void FoldersNotListed(int count, const std::vector<std::string>& firstFew) = 0;
};
