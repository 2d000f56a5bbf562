#include "settings/core/SettingsRecords.h"

#include "common/core/Cp932Text.h"

#include <algorithm>
#include <cstdint>

namespace settingsfile {

const char DirectoryMarker[] = "#DIRECTORY";
const char FileTypeMarker[] = "#FILETYPE";

namespace {
const char ByteOrderMark[] = "\xEF\xBB\xBF";
// fgets with a buffer of 2000 bytes reads at most this many.
const std::size_t PieceSize = 1999;

bool HoldsControlCharacter(const std::string& value) {
    return std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool StartsWith(const std::string& text, std::size_t at, std::size_t length, const std::string& prefix) {
    return length >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

// The pieces of a text in order, as fgets reads them: up to and with a line
// feed, or PieceSize bytes.
class Pieces {
public:
    explicit Pieces(const std::string& text) : text_(text) {}
    // The next piece, starting at `at` with `length` bytes; false at the end.
    bool Next(std::size_t& at, std::size_t& length) {
        if (next_ >= text_.size()) return false;
        at = next_;
        const std::size_t feed = text_.find('\n', at);
        const std::size_t toFeed = feed == std::string::npos ? text_.size() - at : feed - at + 1;
        length = std::min(toFeed, PieceSize);
        next_ = at + length;
        return true;
    }
    // The next piece without its line feed.
    bool NextLine(std::string& line) {
        std::size_t at = 0, length = 0;
        line.clear();
        if (!Next(at, length)) return false;
        if (text_[at + length - 1] == '\n') --length;
        line.assign(text_, at, length);
        return true;
    }

private:
    const std::string& text_;
    std::size_t next_ = 0;
};

void AppendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// UTF-16 after its mark in UTF-8; a lone surrogate becomes U+FFFD, which
// names no folder that exists.
std::string Utf16ToUtf8(const std::string& bytes, bool bigEndian) {
    std::string out;
    const auto unit = [&](std::size_t at) {
        const unsigned first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<std::uint32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        std::uint32_t code = unit(at);
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size()) {
            const std::uint32_t low = unit(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        AppendUtf8(code, out);
    }
    return out;
}

// CR LF as text mode reads it: LF.
std::string WithLineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
        out.push_back(text[at]);
    }
    return out;
}
}  // namespace

bool WriteRecords(std::FILE* file, const char* marker, const std::vector<std::string>& values) {
    bool written = true;
    for (const std::string& value : values) {
        if (std::fprintf(file, "%s\n%s\n", marker, value.c_str()) < 0) written = false;
    }
    return written;
}

bool WriteRecords(std::FILE* file, const RecordMarkers& markers, const std::vector<RecordValue>& values) {
    bool written = true;
    for (const RecordValue& value : values) {
        const std::string& marker = value.utf8 ? markers.utf8 : markers.cp932;
        if (std::fprintf(file, "%s\n%s\n", marker.c_str(), value.text.c_str()) < 0)
            written = false;
    }
    return written;
}

SettingsText DecodeFile(const std::string& bytes) {
    SettingsText decoded;
    decoded.unicode = true;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) decoded.text = WithLineFeeds(Utf16ToUtf8(bytes, false));
    else if (bytes.compare(0, 2, "\xFE\xFF") == 0) decoded.text = WithLineFeeds(Utf16ToUtf8(bytes, true));
    else if (bytes.compare(0, 3, ByteOrderMark) == 0) decoded.text = WithLineFeeds(bytes.substr(3));
    else {
        decoded.unicode = false;
        decoded.text = WithLineFeeds(bytes.substr(0, bytes.find('\x1A')));
    }
    return decoded;
}

std::vector<std::string> ReadValues(const std::string& text, const std::string& marker) {
    std::vector<std::string> values;
    for (const RecordValue& value : ReadRecords(text, {marker, ""}, false)) values.push_back(value.text);
    return values;
}

std::vector<RecordValue> ReadRecords(const std::string& text, const RecordMarkers& markers, bool unicode) {
    const std::string& cp932Marker = markers.cp932;
    const std::string& utf8Marker = markers.utf8;
    std::vector<RecordValue> values;
    Pieces pieces(text);
    std::size_t at = 0, length = 0;
    while (pieces.Next(at, length)) {
        const bool utf8 = !utf8Marker.empty() && StartsWith(text, at, length, utf8Marker);
        if (!utf8 && !StartsWith(text, at, length, cp932Marker)) continue;
        RecordValue value;
        if (!pieces.NextLine(value.text)) break;
        value.utf8 = utf8 || unicode;
        if (!HoldsControlCharacter(value.text)) values.push_back(value);
    }
    return values;
}

std::wstring FolderKey(const std::wstring& folder) {
    std::wstring key = folder;
    for (wchar_t& c : key)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (!key.empty() && key.back() == L'\\') key.pop_back();
    return key;
}

}  // namespace settingsfile
