#include "platform/ExceptionBarrier.h"

#include "platform/Prompts.h"

#include <string>

void ExceptionBarrier::Report(const char* what) noexcept {
    if (reported_) return;
    // Set first: the message box runs a message loop of its own.
    reported_ = true;
    try {
        MessageBoxPrompt(std::string("予期しないエラーのため、処理を中断しました\n") + what, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory even for the message: nothing more can be said.
    }
}

void ExceptionBarrier::ReportOutOfMemory(const std::string& detail) noexcept {
    // Inside its own message box's loop a second box would only repeat it.
    if (reportingMemory_) return;
    reportingMemory_ = true;
    try {
        std::string text = "メモリが足りないため、処理を中断しました";
        if (!detail.empty()) text += "\n" + detail;
        MessageBoxPrompt(text, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    reportingMemory_ = false;
}
