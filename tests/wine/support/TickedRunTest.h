#pragma once
// The fixture of the runs over ticked candidate lines: real files in a
// temporary tree, lines carrying what the comparison recorded of them, and
// a run of type `TickedRun` on the list.
#include "platform/WidePath.h"
#include "support/ListHost.h"
#include "support/QuietView.h"
#include "support/RecordedLines.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

template <class TickedRun>
class TickedRunTest : public ::testing::Test {
protected:
    static constexpr std::int64_t FoundTime = 1600000000;  // the time every test file is given

    void SetUp() override { list.Attach(host.List()); }
    void TearDown() override { list.ClearLines(); }

    // A file as the comparison found it.
    std::string Make(const std::string& name, const std::string& bytes = "same bytes") {
        const std::string path = tree.WriteFile(name, bytes);
        tree.SetLastWriteTime(name, FoundTime);
        return path;
    }
    // A candidate line carrying what the collection and the comparison
    // recorded of its file; without `identified`, the comparison could not
    // read which file it was.
    void Add(const std::string& path, int group, bool ticked, bool identified = true) {
        AddExact(widepath::FromCp932(path), group, ticked, identified);
    }
    void AddExact(const std::wstring& path, int group, bool ticked, bool identified = true) {
        AppendRecordedLine(list, identities, path, group, ticked, identified);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < list.Count(); ++i) lines.push_back(list.LineText(i));
        return lines;
    }

    TempTree tree;
    FileIdentities identities;
    ListHost host;
    CCandidateList list;
    MessagePump pump;
    TickedRun run{pump};
    QuietView quiet;
};
