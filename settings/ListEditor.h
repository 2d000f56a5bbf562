#pragma once
// One list of the settings dialog with its entry field and its Add/Remove
// button. Typing a text makes the button Add it; choosing an entry shows it
// and makes the button Remove it; a double click removes the chosen entry.
// The folder list and the file-type list differ only in their controls,
// their captions and what a text must be to be added, which the dialog
// decides.
#include "common/CommonTools.h"
#include "platform/Window.h"

#include <string>

class DataExchange;

class CListEditor {
public:
    // Modes of the button.
    static const int ModeNone = 0;
    static const int ModeAdd = 1;
    static const int ModeRemove = 2;

    struct ControlIds {
        int list;
        int entry;
        int button;
    };
    struct Captions {
        const char* add;
        const char* remove;
        const char* modeError;  // shown when the button is pressed without a mode
    };

    // What the editor asks of the dialog that holds it.
    class Host {
    public:
        // Takes every field of the dialog from its controls.
        virtual void TakeFields() = 0;
        // Turns a typed text, exactly as typed, into the line that Add puts
        // into the list; false when it may not be added (the host has told
        // the user why).
        virtual bool AdmitEntry(const CListEditor& editor, const std::wstring& typed, std::string& line) = 0;
        // Add put the admitted entry into the list at `line`.
        virtual void EntryAdded(const CListEditor& editor, int line) = 0;
        // The text that the entry field shows for a line chosen in the list.
        virtual std::wstring EntryTextOf(const CListEditor& editor, int line) = 0;
        // The list was changed by the user.
        virtual void ListChanged() = 0;

    protected:
        ~Host() = default;
    };

    // `mode` and `entryText` are the dialog's fields for the button's mode
    // and the entry field's text.
    CListEditor(Host& host, ControlIds ids, Captions captions, int& mode, std::wstring& entryText);
    CListEditor(const CListEditor&) = delete;
    CListEditor& operator=(const CListEditor&) = delete;

    void BindControls(DataExchange& exchange);
    // True when the command was one of the editor's controls'.
    bool OnCommand(int id, int code);
    void SetMode(int mode);
    // Shows a text that a browse proposes, for Add.
    void Propose(const std::wstring& text);
    ListBox List() const { return list_; }

private:
    void OnButton();
    void OnTyping();
    void OnSelection();
    void Add();
    void Remove();
    void ShowEntryText();

    Host& host_;
    ControlIds ids_;
    Captions captions_;
    int& mode_;
    std::wstring& entryText_;
    ListBox list_;
    Window entry_;
    Window button_;
    CCommonTools tools_;
    // Set while the editor itself writes the entry field, whose change
    // notices are then no typing.
    bool showing_ = false;
};
