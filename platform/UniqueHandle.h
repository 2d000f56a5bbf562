#pragma once
// The one owner of a kernel handle (a file, a find, a thread, an event): closed when the owner
// goes, on every path. Movable, not copyable.
#include <windows.h>

#include <utility>

template <class Handle, BOOL(WINAPI* Close)(Handle), Handle (*Invalid)()>
class BasicUniqueHandle {
public:
    BasicUniqueHandle() = default;
    explicit BasicUniqueHandle(Handle handle) : handle_(handle) {}
    ~BasicUniqueHandle() { Reset(); }
    BasicUniqueHandle(BasicUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    BasicUniqueHandle(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Invalid(); }
    Handle Release() { return std::exchange(handle_, Invalid()); }
    void Reset(Handle handle = Invalid()) {
        if (Valid()) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid();
};

namespace handles {
inline HANDLE InvalidFile() { return INVALID_HANDLE_VALUE; }
inline HANDLE NoHandle() { return nullptr; }
}  // namespace handles

// A file (CreateFile) or a find (FindFirstFile): both fail with
// INVALID_HANDLE_VALUE.
using UniqueFile = BasicUniqueHandle<HANDLE, CloseHandle, handles::InvalidFile>;
using UniqueFind = BasicUniqueHandle<HANDLE, FindClose, handles::InvalidFile>;
// A thread or an event: both fail with a null handle.
using UniqueKernelObject = BasicUniqueHandle<HANDLE, CloseHandle, handles::NoHandle>;
