#pragma once
// The three engine objects over one EngineHost, with the steps of a search
// as the main window takes them, and readers for what they leave in the
// controls.
#include "EngineHost.h"

#include "app/ControlSearchView.h"
#include "app/GroupListing.h"
#include "engine/ContentComparer.h"
#include "engine/DuplicateComparer.h"
#include "engine/FileCollector.h"

#include <string>
#include <vector>

struct CandidateLine {
    std::string text;
    int check = 0;
    int group = 0;
    COLORREF colour = 0;
    COLORREF background = 0;
};

// Hands the groups on to the listing, counting the runs compared.
struct CountingListing : GroupSink {
    explicit CountingListing(GroupListing& listing) : listing(listing) {}
    void BeginGroups(std::shared_ptr<const engine::FileTable> files) override {
        runsCompared = 0;
        listing.BeginGroups(std::move(files));
    }
    void AddGroup(const std::vector<GroupMember>& members) override { listing.AddGroup(members); }
    void RunCompared() override {
        ++runsCompared;
        listing.RunCompared();
    }
    void EndGroups() override { listing.EndGroups(); }

    GroupListing& listing;
    int runsCompared = 0;
};

class EngineRig {
public:
    EngineHost host;
    ControlSearchView view{host.statusField, host.groupList, host.mainProgress, host.runProgress};
    MessagePump pump;
    CFileCollector collector{pump};
    CDuplicateComparer ordering{pump};
    CContentComparer comparison{pump};
    GroupListing listing{host.groupList, host.candidates};
    CountingListing sink{listing};

    // Empties the gathered files and the group list, and gathers the files.
    void Collect(const std::string& folders, const std::string& fileTypes = "*.*;;", int subfolders = 1,
                 const CollectionScope& scope = {});
    bool Order();
    // Frees the gathered files' records, empties both lists and compares,
    // showing on `shownOn` (the rig's view by default).
    void Compare();
    void Compare(SearchView& shownOn);
    // All three steps; false when the ordering was aborted.
    bool Search(const std::string& folders, const std::string& fileTypes = "*.*;;");

    // The display texts of the gathered files, in the order found.
    std::vector<std::string> GatheredTexts() const;
    // The display texts of the ordered paths, in comparison order.
    std::vector<std::string> OrderedTexts() const;
    std::vector<CandidateLine> Lines() const;
    // The colour that group `group` of the last comparison must have: the
    // rig's first group is blue, then magenta, green, red, blue...; later
    // comparisons go on with the next colour.
    COLORREF ExpectedColour(int group) const;

private:
    int groupsBefore_ = 0;
    int groupsListed_ = 0;
};
