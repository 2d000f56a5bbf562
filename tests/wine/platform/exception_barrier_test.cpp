// An exception inside a dialog's handler stops at the dialog procedure: the
// user is told once (memory running out, each time, in the program's own
// words), and the dialog goes on answering messages.
#include "platform/Dialog.h"
#include "res/resource.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

class FailingDialog : public Dialog {
public:
    FailingDialog() : Dialog(IDD_ABOUTBOX) {}
    int handled = 0;

protected:
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_APP) throw std::logic_error("logic_error");
        if (message == WM_APP + 2) throw std::bad_alloc();
        if (message == WM_APP + 1) ++handled;
        return message == WM_APP + 1;
    }
};

TEST(ExceptionBarrier, ADialogThatThrowsReportsOnceAndKeepsWorking) {
    scripted::Reset();
    FailingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(dialog.Wnd().Send(WM_APP), 0);
    ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(scripted::MessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_NE(scripted::MessageBoxes()[0].text.find("予期しないエラー"), std::string::npos);

    for (int i = 0; i < 2; ++i) EXPECT_EQ(dialog.Wnd().Send(WM_APP + 2), 0);
    ASSERT_EQ(scripted::MessageBoxes().size(), 3u);
    EXPECT_EQ(scripted::MessageBoxes()[2].text, "メモリが足りないため、処理を中断しました");

    dialog.Wnd().Send(WM_APP + 1);
    EXPECT_EQ(dialog.handled, 1);
    EXPECT_TRUE(IsWindow(dialog.Handle()));
}

// A dialog whose window goes from outside lets its handle go: it never acts
// on a handle the system may give to another window, and its modal loop ends.
TEST(DialogWindow, GoneFromOutsideTheObjectForgetsItsHandle) {
    FailingDialog modeless;
    ASSERT_TRUE(modeless.Create());
    ::DestroyWindow(modeless.Handle());
    EXPECT_EQ(modeless.Handle(), nullptr);

    // A modal dialog whose window the system destroys once it is up.
    class Destroyed : public FailingDialog {
        BOOL OnInitDialog() override {
            Wnd().Post(WM_APP + 2);
            return Dialog::OnInitDialog();
        }
        bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
            if (message == WM_APP + 2) ::DestroyWindow(Handle());
            return message == WM_APP + 2;
        }
    } modal;
    EXPECT_EQ(modal.DoModal(), -1);
    EXPECT_EQ(modal.Handle(), nullptr);
}

}  // namespace
