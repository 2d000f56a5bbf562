#pragma once
// A settings dialog opened modeless over a plain owner window (in the
// main window's place) and driven with the messages that the user's
// actions send.
#include "res/resource.h"
#include "settings/SettingsDialog.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SettingsHarness {
public:
    explicit SettingsHarness(CSettingsDialog& dialog);
    ~SettingsHarness();
    SettingsHarness(const SettingsHarness&) = delete;
    SettingsHarness& operator=(const SettingsHarness&) = delete;

    // Closes the window (after OK or Cancel) and opens the next one.
    void Reopen();
    HWND Owner() const { return owner_; }
    HWND Handle() const { return dialog_.Handle(); }

    void Press(int id) const;  // BN_CLICKED, also for a disabled button
    void Type(int editId, const std::string& text) const;
    void Select(int listId, int index) const;
    void DoubleClick(int listId, int index) const;
    void AddFolder(const std::string& folder) const;
    void AddFileType(const std::string& pattern) const;
    // Open and Save, the file dialog answered with `path`.
    void OpenFile(const std::string& path) const;
    void SaveFile(const std::string& path) const;

    std::vector<std::string> Items(int listId) const;
    std::string Text(int id) const;
    std::string Title() const;
    bool Enabled(int id) const;
    int Checked() const;

private:
    CSettingsDialog& dialog_;
    HWND owner_ = nullptr;
};

// The settings suite's fixture: a fresh script of prompts, a scratch tree
// and a dialog.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }
    TempTree tree;
    CSettingsDialog dialog;
};
