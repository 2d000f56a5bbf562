#pragma once
// A file held open by the deletion from its check until it is gone: with
// read access and without write sharing, so that no other program changes
// it in between. A file to delete also has deletion access; one bound for
// the Recycle Bin lets the shell move it (delete sharing) and nothing else.
// Closed by the destructor. A file that gets another name (the target of a
// hard link) is held without write sharing too, and shares deletion, which
// the rename of its new name needs. Every file-system call of the deletion
// and of the replacement by links is made here.
#include "engine/FileInfo.h"
#include "platform/FileIdentities.h"
#include "platform/HardLinks.h"
#include "platform/UniqueHandle.h"
#include "review/FilePath.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

class HeldFile {
public:
    // Look: a folder, opened for its name only, sharing everything.
    // LinkTarget: a file that gets another name.
    enum class Use { Keep, DeleteNow, Recycle, Look, LinkTarget };

    HeldFile(const FilePath& path, Use use);
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsOpen() const { return handle_.Valid(); }
    // The open failed because the name names no file (any more): nothing,
    // or a folder, has it.
    bool NamesNoFile() const;
    const FilePath& Path() const { return path_; }
    HANDLE Handle() const { return handle_.Get(); }

    // Still the very file that the comparison read: the recorded volume and
    // index, a plain file with the recorded length and last-write time.
    // Unverified when the identity was not recorded or cannot be read now.
    enum class Match { AsRecorded, Changed, Unverified };
    Match Check(const FileInfo& recorded, FileIdentities& identities);
    // Another file than `other`, both as recorded.
    bool IsOtherFileThan(const HeldFile& other) const;
    // Both as recorded, on the same volume (or where that cannot be told).
    bool IsOnVolumeOf(const HeldFile& other) const;
    // As recorded, with the read-only attribute.
    bool IsReadOnly() const { return (attributes_ & FILE_ATTRIBUTE_READONLY) != 0; }
    // Reads both files from their start: true when each holds exactly
    // `length` bytes and the bytes are equal. `buffers` is scratch space.
    bool HasSameBytesAs(HeldFile& other, std::uint64_t length, std::vector<unsigned char>& buffers);
    // Deletes the file through the handle (it goes when the handle closes,
    // which this does); true when it is gone.
    bool DeleteNow(FileIdentities& identities);
    // Makes `name` (an exact full path that no file has) another name of
    // the file held; ERROR_SUCCESS or the system's error code.
    DWORD LinkAs(const FilePath& name, const HardLinks& links) const;
    // Lets go of the file before its name is replaced: a name that is open
    // cannot be replaced.
    void Release() { handle_.Reset(); }
    // Gives `name`'s file the name `replaced` in one rename, in place of the
    // file that had it.
    static bool ReplaceName(const FilePath& name, const FilePath& replaced);
    // Removes one name of a file.
    static bool RemoveName(const FilePath& name);
    // Makes an empty folder, and removes one; false with the system's error
    // in GetLastError.
    static bool MakeFolder(const FilePath& path);
    static bool RemoveFolder(const FilePath& path);

    // The file, as recorded, is no longer behind its name: nothing has the
    // name, or another file has it (a folder of Linux, or a case-sensitive
    // one of Windows, may hold photo.jpg and Photo.JPG; Wine finds the other
    // one by either name once one is gone).
    bool IsGone(FileIdentities& identities) const;

    // Asks the shell to move the files, held for the Recycle Bin, there in
    // one call; true when the shell reports success. Whether each one went
    // is for IsGone to tell.
    static bool MoveToRecycleBin(const std::vector<const HeldFile*>& files);

private:
    bool Rewind() const;

    FilePath path_;
    UniqueFile handle_;
    DWORD openError_ = 0;
    std::optional<FileId> id_;  // as recorded
    DWORD attributes_ = 0;      // as recorded
};
