#include "platform/ReplaceableFile.h"

#include "platform/UniqueHandle.h"
#include "platform/WidePath.h"

#include <windows.h>

namespace replaceable {

namespace {
std::wstring NameOf(const std::wstring& path) { return widepath::ForFileSystem(widepath::FullPath(path)); }
}  // namespace

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(NameOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

bool MayReplace(const std::wstring& path) {
    const std::wstring name = NameOf(path);
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return true;  // a new file
    if (IsReadOnly(path)) return false;
    const UniqueFile file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

}  // namespace replaceable
