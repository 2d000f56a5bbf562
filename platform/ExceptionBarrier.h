#pragma once
// Window and dialog procedures are called by the system, and no exception
// may unwind through it. A procedure runs its work through a barrier: an
// exception stops there, the user is told once per barrier (a failure that
// repeats with every message must not bury the screen in boxes), and the
// system gets the procedure's plain answer. Memory running out is no fault
// of the program's: it is told in words of its own, after the owner has let
// go of what it held, each time it happens.
#include <exception>
#include <new>
#include <string>

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
        return Run(fallback, work, recover, [] { return std::string(); });
    }

    // When memory ran out, `howFar` gives the lines that say how far the
    // work got; it is asked before `recover` frees what the work held.
    template <class Result, class Work, class Recover, class HowFar>
    Result Run(Result fallback, Work&& work, Recover&& recover, HowFar&& howFar) noexcept {
        bool outOfMemory = false;
        std::string detail;
        try {
            return work();
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            try {
                detail = howFar();
            } catch (...) {
            }
        } catch (const std::exception& failure) {
            Report(failure.what());
        } catch (...) {
            Report("");
        }
        try {
            recover();
        } catch (...) {
        }
        if (outOfMemory) ReportOutOfMemory(detail);
        return fallback;
    }

private:
    void Report(const char* what) noexcept;
    void ReportOutOfMemory(const std::string& detail) noexcept;

    bool reported_ = false;
    bool reportingMemory_ = false;  // its message box is up
};
