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
