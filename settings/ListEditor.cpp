#include "settings/ListEditor.h"

#include "platform/DataExchange.h"
#include "platform/Prompts.h"

CListEditor::CListEditor(Host& host, ControlIds ids, Captions captions, int& mode, std::wstring& entryText)
    : host_(host), ids_(ids), captions_(captions), mode_(mode), entryText_(entryText) {}

void CListEditor::BindControls(DataExchange& exchange) {
    exchange.Control(ids_.list, list_);
    exchange.Control(ids_.entry, entry_);
    exchange.Control(ids_.button, button_);
}

bool CListEditor::OnCommand(int id, int code) {
    if (id == ids_.button && code == BN_CLICKED) OnButton();
    else if (id == ids_.entry && code == EN_UPDATE) OnTyping();
    else if (id == ids_.list && code == LBN_DBLCLK) Remove();
    else if (id == ids_.list && code == LBN_SELCHANGE) OnSelection();
    else return id == ids_.button || id == ids_.entry || id == ids_.list;
    return true;
}

void CListEditor::SetMode(int mode) {
    mode_ = mode;
    const bool enabled = mode == ModeAdd || mode == ModeRemove;
    // A disabled button keeps the focus, and the keyboard would do nothing.
    if (!enabled) button_.PassFocusTo(entry_);
    tools_.SetButtonState(button_, enabled, mode == ModeRemove ? captions_.remove : captions_.add);
}

void CListEditor::Propose(const std::wstring& text) {
    entryText_ = text;
    ShowEntryText();
    SetMode(ModeAdd);
}

void CListEditor::OnButton() {
    if (mode_ == ModeAdd) Add();
    else if (mode_ == ModeRemove) Remove();
    else MessageBoxPrompt(captions_.modeError, MB_OK);
}

void CListEditor::OnTyping() {
    if (showing_) return;
    host_.TakeFields();
    if (!entryText_.empty()) SetMode(ModeAdd);
}

void CListEditor::OnSelection() {
    SetMode(ModeRemove);
    const int line = list_.CurSel();
    entryText_ = line >= 0 ? host_.EntryTextOf(*this, line) : std::wstring();
    ShowEntryText();
}

void CListEditor::Add() {
    host_.TakeFields();
    std::string line;
    if (entryText_.empty() || !host_.AdmitEntry(*this, entryText_, line)) return;
    host_.EntryAdded(*this, list_.AddString(line));
    entryText_.clear();
    ShowEntryText();
    tools_.FitHorizontalExtent(list_);
    SetMode(ModeNone);
    host_.ListChanged();
}

void CListEditor::Remove() {
    // The next entry to remove is chosen in the list.
    button_.PassFocusTo(list_);
    tools_.DeleteSelectedItem(list_);
    entryText_.clear();
    ShowEntryText();
    SetMode(ModeNone);
    host_.ListChanged();
}

void CListEditor::ShowEntryText() {
    showing_ = true;
    entry_.SetWideText(entryText_);
    showing_ = false;
}
