#include "support/HostCommand.h"

#include "platform/WidePath.h"

#include <windows.h>

namespace host {

std::string UnixName(const std::string& path) {
    using UnixNameOf = char*(CDECL*)(LPCWSTR);
    const auto unixNameOf = reinterpret_cast<UnixNameOf>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixNameOf) return std::string();
    char* name = unixNameOf(widepath::ForFileSystem(widepath::FromCp932(path)).c_str());
    if (!name) return std::string();
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

bool RunScript(const std::string& script) {
    // A host program's process handle cannot be waited for under Wine: the
    // script removes a marker file as its last step instead.
    char folder[MAX_PATH] = {};
    char marker[MAX_PATH] = {};
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "vhc", 0, marker)) return false;
    const std::string unixMarker = UnixName(marker);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "sh -c \"" + script + "; rm -f '" + unixMarker + "'\"";
    if (unixMarker.empty() || !CreateProcessA("Z:/bin/sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                              nullptr, &startup, &process)) {
        DeleteFileA(marker);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int wait = 0; wait < 500; ++wait) {
        if (GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES) return true;
        Sleep(10);
    }
    DeleteFileA(marker);
    return false;
}

}  // namespace host
