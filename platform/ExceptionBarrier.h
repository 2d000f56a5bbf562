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
        return Run(fallback, work, [] {});
    }

    // After the report, `recover` puts the owner back into a state the user
    // can act in; a failure of its own ends there.
    template <class Result, class Work, class Recover>
    Result Run(Result fallback, Work&& work, Recover&& recover) noexcept {
        try {
            return work();
        } catch (const std::exception& failure) {
            Report(failure.what());
        } catch (...) {
            Report("");
        }
        try {
            recover();
        } catch (...) {
        }
        return fallback;
    }

private:
    void Report(const char* what) noexcept;

    bool reported_ = false;
};
