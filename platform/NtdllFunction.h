#pragma once
// A function of ntdll.dll that the SDK's import libraries do not offer,
// looked up by name; null where the system has none.
#include <windows.h>

template <class Function>
Function NtdllFunction(const char* name) {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ntdll, name))) : nullptr;
}
