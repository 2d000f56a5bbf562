#include "EngineRig.h"

#include "platform/WidePath.h"

#include <utility>

void EngineRig::Collect(const std::string& folders, const std::string& fileTypes, int subfolders,
                        const CollectionScope& scope) {
    host.ReleaseGatheredFiles();
    collector.Collect(widepath::FromCp932(folders), fileTypes, subfolders, scope, host.gathered, view);
}

bool EngineRig::Order() {
    return ordering.SortAndGroup(host.gathered.Count(), host.gathered, view);
}

void EngineRig::Compare() { Compare(view); }

void EngineRig::Compare(SearchView& shownOn) {
    host.ReleaseGatheredFiles();
    host.candidates.ClearLines();
    host.candidates.InitStorage(100000, 260);
    host.statusField.SetText("ファイルを比較中");
    groupsBefore_ = groupsListed_;
    comparison.CompareAll(
        ComparisonJob{std::make_shared<const GatheredFileList>(std::move(ordering.Paths)), std::move(ordering.RunLengths)},
        sink, shownOn);
    groupsListed_ += host.groupList.Count();
}

bool EngineRig::Search(const std::string& folders, const std::string& fileTypes) {
    Collect(folders, fileTypes);
    if (!Order()) return false;
    Compare();
    return true;
}

std::vector<std::string> EngineRig::GatheredTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < host.gathered.Count(); ++i) texts.push_back(widepath::ToCp932(host.gathered.Record(i)->path));
    return texts;
}

std::vector<std::string> EngineRig::OrderedTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < ordering.Paths.Count(); ++i) texts.push_back(widepath::ToCp932(ordering.Paths.Path(i)));
    return texts;
}

std::vector<CandidateLine> EngineRig::Lines() const {
    std::vector<CandidateLine> lines;
    for (int i = 0; i < host.candidates.Count(); ++i) {
        CandidateLine line;
        line.text = host.candidates.LineText(i);
        line.check = host.candidates.GetCheck(i);
        line.group = host.candidates.LineGroup(i);
        if (const auto record = host.candidates.Line(i)) {
            line.colour = record->display.firstColour;
            line.background = record->display.secondColour;
        }
        lines.push_back(line);
    }
    return lines;
}

COLORREF EngineRig::ExpectedColour(int group) const {
    static const COLORREF cycle[4] = {RGB(50, 50, 220), RGB(220, 100, 220), RGB(50, 180, 50), RGB(220, 50, 50)};
    return cycle[(groupsBefore_ + group) % 4];
}
