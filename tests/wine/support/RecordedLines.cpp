#include "support/RecordedLines.h"

#include "platform/FileFinder.h"
#include "platform/WidePath.h"

void AppendRecordedLine(CCandidateList& list, FileIdentities& identities, const std::wstring& path, int group,
                        bool ticked, bool identified) {
    FileInfo file;
    file.path = path;
    FileFinder finder;
    if (finder.FindFile(path)) {
        finder.FindNextFile();
        file.size = finder.Length();
        file.lastWriteTime = finder.LastWriteTime();
    }
    const HANDLE handle = CreateFileW(widepath::ForFileSystem(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        if (identified) file.id = identities.Of(handle, path);
        CloseHandle(handle);
    }
    const int line = list.AppendLine(file, RGB(0, 0, 255), RGB(255, 255, 255), group);
    list.SetCheck(line, ticked ? 1 : 0);
}

std::vector<std::pair<std::wstring, std::wstring>> LookAlikeNames() {
    std::wstring longFolder;
    for (wchar_t part = L'a'; part < L'j'; ++part) longFolder += std::wstring(100, part) + L"\\";
    return {
        {L"keep.txt.", L"keep.txt"},
        {L"sp.txt ", L"sp.txt"},
        {L"caf\u00E9.txt", L"cafe.txt"},
        {L"\uD55C\uAE00\U0001F600.txt", L"kept.txt"},
        {longFolder + std::wstring(100, L'f'), longFolder + L"f"},
    };
}
