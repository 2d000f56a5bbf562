#pragma once
// A view for engine and deletion runs whose progress a test does not read:
// it shows nothing, and its messages go to the scripted prompts.
#include "engine/SearchView.h"
#include "platform/Prompts.h"

class QuietView : public SearchView {
public:
    void SetProgressRange(Bar, int, int) override {}
    void SetProgress(Bar, int) override {}
    int Progress(Bar) const override { return 0; }
    void ShowStatus(const std::string&) override {}
    void ShowFound(const std::string&) override {}
    void ShowAborting() override {}
    int Message(const std::string& text, UINT type) override { return MessageBoxPrompt(text, type); }
};
