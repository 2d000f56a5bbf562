#pragma once
// Base of every dialog window: created from a template, modal (with a
// message loop of its own, so that PreTranslateMessage sees every message)
// or modeless; dispatches commands and messages to the derived class's
// tables and exchanges data between fields and controls.
#include "platform/ExceptionBarrier.h"
#include "platform/Window.h"

#include <memory>
#include <type_traits>
#include <string>

class DataExchange;

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    // A Unicode dialog's controls hold any text exactly (an ANSI edit
    // control of Windows keeps only what the ANSI code page writes); the
    // ANSI calls still reach them, converted.
    Dialog(int templateId, bool unicode) : templateId_(templateId), unicode_(unicode) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog modally over `owner`; returns the EndDialog result.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog modeless (for tests); EndDialog then only records
    // the result.
    bool Create(HWND owner = nullptr);
    void DestroyWindow();

    Window Wnd() const { return Window(handle_); }
    HWND Handle() const { return handle_; }
    Window Item(int id) const { return Window(GetDlgItem(handle_, id)); }
    void EndDialog(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    // Controls to fields (save) or fields to controls.
    bool UpdateData(bool save = true);

    // Keyboard handling of a queued message before it is dispatched; true
    // when the message was consumed.
    virtual bool PreTranslateMessage(MSG* message);

    // The DPI the dialog is laid out for.
    int Dpi() const { return dpi_; }
    // Lays the dialog out for `dpi` (WM_DPICHANGED): its font and every
    // control scaled, then the window placed on `suggested`.
    void ChangeDpi(int dpi, const RECT& suggested);

protected:
    virtual void DoDataExchange(DataExchange&) {}
    // Fills the controls from the fields and widens those whose text the
    // template cut off; derived dialogs call it first.
    virtual BOOL OnInitDialog();
    // The controls were scaled from one DPI to another and have the new
    // font; the window is placed after this.
    virtual void OnDpiChanged(int /*from*/, int /*to*/) {}
    virtual void OnOK();
    virtual void OnCancel();
    // The derived class's tables; false sends the message on to the default.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // A handler failed (the failure was reported): the dialog returns to a
    // state the user can act in.
    virtual void OnFailure() {}
    // When memory ran out: the lines that say how far the work got, asked
    // before OnFailure.
    virtual std::string HowFarBeforeMemoryRanOut() const { return std::string(); }

private:
    HWND CreateWindowOfTemplate(HWND owner);
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND handle_ = nullptr;
    bool ended_ = false;
    bool modal_ = false;
    bool unicode_ = false;
    bool exchanging_ = false;
    INT_PTR result_ = 0;
    int dpi_ = 96;
    int templateDpi_ = 96;  // the DPI the template's font was made for
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    // The font made for a DPI other than the template's; it goes after the
    // window that uses it.
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> scaledFont_;
    ExceptionBarrier barrier_;
};
