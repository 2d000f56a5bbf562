#include "common/core/Cp932Text.h"

namespace cp932 {

namespace {
char LowerOf(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Calls `visit(position, width)` for every character of the text.
template <class Visit>
void ForEachCharacter(const std::string& text, Visit visit) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width =
            (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        if (!visit(i, width)) return;
        i += width;
    }
}
}  // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsDoubleByteLead(const std::string& text, std::size_t index) {
    return index < text.size() && IsLeadByte(static_cast<unsigned char>(text[index]));
}

std::size_t FindLast(const std::string& text, char c) {
    std::size_t found = std::string::npos;
    ForEachCharacter(text, [&](std::size_t i, std::size_t width) {
        if (width == 1 && text[i] == c) found = i;
        return true;
    });
    return found;
}

std::size_t Find(const std::string& text, const std::string& needle, bool ignoreCase) {
    if (needle.empty()) return 0;
    std::size_t found = std::string::npos;
    ForEachCharacter(text, [&](std::size_t i, std::size_t) {
        if (text.size() - i < needle.size()) return false;
        std::size_t k = 0;
        while (k < needle.size()) {
            char a = text[i + k], b = needle[k];
            if (a != b && !(ignoreCase && LowerOf(a) == LowerOf(b))) break;
            // A double-byte character of the needle compares whole.
            if (IsLeadByte(static_cast<unsigned char>(b)) && k + 1 < needle.size()) {
                if (text[i + k + 1] != needle[k + 1]) break;
                k += 2;
            } else {
                k += 1;
            }
        }
        if (k < needle.size()) return true;
        found = i;
        return false;
    });
    return found;
}

std::string ExtensionOf(const std::string& path) {
    std::size_t dot = FindLast(path, '.');
    if (dot != std::string::npos) return path.substr(dot);
    std::size_t slash = FindLast(path, '\\');
    if (slash != std::string::npos) return path.substr(slash + 1);
    return path;
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = FindLast(path, '\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = FindLast(path, '\\');
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

std::string ToLower(const std::string& text) {
    std::string lower = text;
    ForEachCharacter(text, [&](std::size_t i, std::size_t width) {
        if (width == 1) lower[i] = LowerOf(text[i]);
        return true;
    });
    return lower;
}

bool Equal(const std::string& a, const std::string& b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    if (!ignoreCase) return a == b;
    return ToLower(a) == ToLower(b);
}

std::vector<std::string> SplitTerminated(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) return pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;) {
        pieces.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    return pieces;
}

bool EndsWithBackslash(const std::string& path) {
    return !path.empty() && FindLast(path, '\\') == path.size() - 1;
}

std::string WithBackslash(const std::string& path) {
    return EndsWithBackslash(path) ? path : path + "\\";
}

}  // namespace cp932
