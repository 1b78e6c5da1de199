// The program folder and the files in it. Paths are given in the program's own
// notation ("data\\zendavori_obj_18k.ppc", backslash separators); they are turned
// into host paths here, and a component that does not exist as written is looked
// up again without regard to case, as the handheld's file system did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace pl {

// The program folder: ZENDAVORI_HOME if set, else the executable's directory,
// in program notation with a trailing backslash. A relative folder is taken
// from the working directory.
std::string ProgramPath();

// Overrides the program folder (tests); an empty text restores the default.
void SetProgramFolder(const std::string& hostFolder);

// Host path for a program path: backslashes become slashes and each missing
// component is matched case-insensitively against the existing entries. A
// relative path is taken inside the program folder.
std::string HostPath(const std::string& programPath);

// Opens a file like fopen; nullptr when it cannot be opened.
std::FILE* OpenFile(const std::string& programPath, const char* mode);

// The size in bytes of a file opened by OpenFile, as the file system tells it
// now; -1 when it cannot be told.
int64_t FileSize(std::FILE* file);

// Reads up to `size` bytes from byte `offset` of a file opened for reading by
// OpenFile, without moving its stream. Returns the bytes read: fewer only at
// the end of the file, none on an error.
std::size_t ReadAt(std::FILE* file, void* buffer, std::size_t size, int64_t offset);

// Test hook: the next file OpenFile opens for writing accepts `bytes` bytes and
// then fails every write, as a full disk does. A negative count turns it off.
void FailWritesAfter(long bytes);

bool FileExists(const std::string& programPath);
bool MakeDirectory(const std::string& programPath);
bool RemoveFile(const std::string& programPath);
// Renames, replacing an existing target (used to write files the user keeps
// through a temporary file).
bool RenameFile(const std::string& fromProgramPath, const std::string& toProgramPath);

// What a rename that never replaces a file did.
enum class NewNameResult { kRenamed, kTaken, kFailed };

// Renames to a name no entry has, in one step that cannot replace an entry
// made meanwhile (any case of the name counts as taken, as for every path
// here): kTaken, nothing changed, when the name is in use; kFailed when the
// rename cannot be made (the source then stays as it was).
NewNameResult RenameToNewName(const std::string& fromProgramPath, const std::string& toProgramPath);

// Puts what `file` holds on the disk (the stream flushed, then the file
// synchronised), so that a rename after it replaces the old file with a whole
// one even when the power goes. False when either step fails.
bool SyncFile(std::FILE* file);

// Puts a folder's entries on the disk (a rename in it made lasting); "" is the
// program folder. False when it cannot be opened or synchronised.
bool SyncFolder(const std::string& programFolder);

// Names (without folder) of the entries matching a pattern such as
// "userlists\\*.lst" or "img\\*.*"; '*' and '?' are wildcards, compared without
// regard to case. Sorted by name.
std::vector<std::string> ListDirectory(const std::string& programPattern);

}  // namespace pl
