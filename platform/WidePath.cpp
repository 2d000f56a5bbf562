#include "platform/WidePath.h"

#include <windows.h>

namespace {
const UINT Cp932 = 932;
// Folders take MAX_PATH less room for an 8.3 name.
const std::size_t PlainPathLimit = MAX_PATH - 12;

bool IsDriveAbsolute(const std::wstring& path) {
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
}

bool IsUnc(const std::wstring& path) { return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\'; }

std::wstring FromCodePage(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}
// `flags` and `unmappable` as WideCharToMultiByte takes them; UTF-8 takes
// neither.
std::string ToCodePage(UINT codePage, DWORD flags, const char* unmappable, const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, unmappable, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, &narrow[0], length, unmappable, nullptr);
    return narrow;
}

}  // namespace

namespace widepath {

std::wstring FromCp932(const std::string& text) { return FromCodePage(Cp932, text); }

std::wstring FromAnsiCodePage(const std::string& text) { return FromCodePage(CP_ACP, text); }

std::string ToCp932(const std::wstring& text) { return ToCodePage(Cp932, WC_NO_BEST_FIT_CHARS, "?", text); }

std::string ToUtf8(const std::wstring& text) { return ToCodePage(CP_UTF8, 0, nullptr, text); }

std::wstring FromUtf8(const std::string& text) {
    // Strict: bytes that are no UTF-8 give nothing rather than stand-ins.
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0], length);
    return wide;
}

std::vector<std::wstring> SplitTerminated(const std::wstring& text, const std::wstring& separator) {
    std::vector<std::wstring> pieces;
    if (separator.empty()) return pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::wstring::npos; start = end + separator.size())
        pieces.push_back(text.substr(start, end - start));
    return pieces;
}

bool FitsCp932(const std::wstring& text) {
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    BOOL lost = FALSE;
    if (WideCharToMultiByte(Cp932, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, "?", &lost) <= 0)
        return false;
    // The way back must give the same characters (no best-fit stand-in).
    return !lost && FromCp932(ToCp932(text)) == text;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring(L".\\") : path.substr(0, slash + 1);
}

std::wstring NameOf(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring WithBackslash(const std::wstring& path) {
    return !path.empty() && path.back() == L'\\' ? path : path + L"\\";
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty() || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

bool HasPartEndingInDotOrSpace(const std::wstring& path) {
    // "." and ".." are parts of their own and stay. Asked at every open of
    // a file, so the parts are looked at where they stand, not copied.
    const std::wstring_view whole(path);
    std::size_t start = 0;
    while (start <= whole.size()) {
        std::size_t end = whole.find(L'\\', start);
        if (end == std::wstring_view::npos) end = whole.size();
        const std::wstring_view part = whole.substr(start, end - start);
        if (!part.empty() && part != L"." && part != L".." && (part.back() == L'.' || part.back() == L' '))
            return true;
        start = end + 1;
    }
    return false;
}

bool NeedsPrefix(const std::wstring& path) {
    return path.size() >= PlainPathLimit || HasPartEndingInDotOrSpace(path);
}

std::wstring ForFileSystem(std::wstring path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || !NeedsPrefix(path)) return path;
    if (IsDriveAbsolute(path)) return L"\\\\?\\" + path;
    if (IsUnc(path)) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;  // a relative path cannot take the prefix
}

std::wstring WithoutPrefix(const std::wstring& path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

std::wstring Folded(std::wstring_view text) {
    std::wstring folded(text);
    if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

}  // namespace widepath
