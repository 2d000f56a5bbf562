#pragma once
// Window and dialog procedures are called by the system, and no exception
// may unwind through it. A procedure runs its work through a barrier: an
// exception stops there, the user is told once per barrier (a failure that
// repeats with every message must not bury the screen in boxes), and the
// system gets the procedure's plain answer.
#include <exception>

class ExceptionBarrier {
public:
    template <class Result, class Work>
    Result Run(Result fallback, Work&& work) noexcept {
        try {
            return work();
        } catch (const std::exception& failure) {
            Report(failure.what());
        } catch (...) {
            Report("");
        }
        return fallback;
    }

private:
    void Report(const char* what) noexcept;

    bool reported_ = false;
};
