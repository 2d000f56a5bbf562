#include "support/TempTree.h"

#include "platform/WidePath.h"

namespace {
// Creates every folder above the path's last backslash. The path is cp932:
// the second byte of a double-byte character may be a backslash.
void CreateParents(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) ++i;
        else if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}
}  // namespace

TempTree::TempTree() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base(temp);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    // Process id, tick count and a counter keep parallel and repeated trees
    // apart.
    static unsigned counter = 0;
    do {
        root_ = base + "\\vellaro-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
    } while (!CreateDirectoryA(root_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempTree::~TempTree() { RemoveAll(L"\\\\?\\" + widepath::FromCp932(root_)); }

std::string TempTree::Folder(const std::string& relative) const {
    const std::string path = Path(relative);
    CreateParents(path + "\\");
    return path;
}

std::string TempTree::WriteFile(const std::string& relative, const std::string& bytes) const {
    return widepath::ToCp932(WriteWide(widepath::FromCp932(relative), bytes));
}

std::string TempTree::WriteFilled(const std::string& relative, std::uint64_t length, char fill) const {
    return WriteFile(relative, std::string(static_cast<size_t>(length), fill));
}

bool TempTree::SetLastWriteTime(const std::string& relative, std::int64_t seconds) const {
    HANDLE file = CreateFileW(widepath::ForFileSystem(widepath::FromCp932(Path(relative))).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool done = SetFileTime(file, nullptr, nullptr, &time) != 0;
    CloseHandle(file);
    return done;
}

bool TempTree::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempTree::ReadFile(const std::string& path) {
    HANDLE file = CreateFileW(widepath::ForFileSystem(widepath::FromCp932(path)).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void TempTree::RemoveAll(const std::wstring& folder) {
    if (folder.empty()) return;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD attributes = entry.dwFileAttributes;
            // A linked folder is removed as a link, never walked into.
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveAll(path);
            else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring TempTree::WriteWide(const std::wstring& relative, const std::string& bytes) const {
    // With the \\?\ prefix: no length limit, and names keep a final dot or space.
    const std::wstring root = L"\\\\?\\" + widepath::FromCp932(root_);
    const std::wstring path = root + L"\\" + relative;
    for (std::size_t i = root.size() + 1; i < path.size(); ++i)
        if (path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        if (!bytes.empty()) ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    return path.substr(4);
}

bool TempTree::ExistsWide(const std::wstring& path) {
    return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
