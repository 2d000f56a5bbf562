// An exception inside a dialog's handler stops at the dialog procedure: the
// user is told once, and the dialog goes on answering messages.
#include "platform/Dialog.h"
#include "res/resource.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <new>

namespace {

class FailingDialog : public Dialog {
public:
    FailingDialog() : Dialog(IDD_ABOUTBOX) {}
    int handled = 0;

protected:
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_APP) throw std::bad_alloc();
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

    dialog.Wnd().Send(WM_APP + 1);
    EXPECT_EQ(dialog.handled, 1);
    EXPECT_TRUE(IsWindow(dialog.Handle()));
}

}  // namespace
