// Files the program keeps for the user in its program folder (the
// preferences, the camera settings): written whole through a temporary file
// that is put on the disk and renamed over the old one (the folder synchronised
// after), read back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Opens the temporary file of a save (mode "wb" or "w"), after removing the
// temporaries of its kind that a save killed midway left in its folder: for
// "userlists\\a.lst.tmp" every "userlists\\*.lst.tmp". Null when it cannot
// be opened.
std::FILE* OpenKeptTemporary(const char* temporary, const char* mode);

// Ends a save begun with OpenKeptTemporary: the temporary is put on the disk
// and closed, then renamed over `file` and the folder synchronised, so a power
// cut leaves the old file or the new one. With `written` false (a write
// failed), or when any step fails, the temporary is removed, the old file
// left as it was, and the result is false.
bool CommitKeptFile(std::FILE* out, const char* temporary, const char* file, bool written);

// Ends a save begun with OpenKeptTemporary under a name no file has: the
// temporary is put on the disk and closed, then takes the first of `name`
// ("a.txt"), "a_2.txt" ... "a_<most>.txt" in `folder` ("userlogs\\") that no
// file takes, in a rename that never replaces a file (one made meanwhile
// included), and the folder is synchronised. The name given; "" when
// `written` is false or a step fails or no name is free: the temporary is
// removed then and no file is touched.
std::string CommitNewKeptFile(std::FILE* out, const char* temporary, const std::string& folder,
                              const std::string& name, int most, bool written);

// Renames `file` to the first of `name`, "a_2.txt" ... "a_<most>.txt" in
// `folder` that no file takes, never replacing one (a damaged file moved
// aside keeps every earlier copy). The name given; "" when a step fails or no
// name is free, the file then left where it is.
std::string RenameToFreeName(const char* file, const std::string& folder, const std::string& name, int most);

// Moves the damaged kept file `file` of the program folder aside to
// `damaged` ("a.bad"), or the first free "a_2.bad" ... when earlier copies
// hold those names. False when it could not be moved (it is left in place and
// a save will replace it: say kNotMovedAside).
bool MoveDamagedFileAside(const char* file, const char* damaged);
constexpr char kNotMovedAside[] = "The file could not be moved aside; the next save replaces it.";

// Writes `bytes` through the temporary "<folder><name>.tmp" to a file no file
// has, as CommitNewKeptFile names it. The name given; "" when a step fails.
std::string WriteNewKeptFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes,
                             int most);

// Writes `bytes` to `temporary` and renames it over `file`. False when any
// step fails; the old file is then left as it was and the temporary removed.
bool ReplaceKeptFile(const char* file, const char* temporary, const std::vector<uint8_t>& bytes);

// ReplaceKeptFile, telling a failure with the text `failure` (ShowInformation)
// once: `*told` is set then and cleared by the next save that succeeds.
bool SaveKeptFile(const char* file, const char* temporary, const std::vector<uint8_t>& bytes, const char* failure,
                  bool* told);

// The first of `name` ("a.txt"), "a_2.txt", "a_3.txt" ... "a_<most>.txt"
// that no file of `folder` ("userlists\\") has, so that a new file never
// replaces another; "" when none is free.
std::string FirstFreeNumberedName(const std::string& folder, const std::string& name, int most);

// Appends the bytes of `file` to `bytes`, stopping once more than `largest`
// have been read (such a file is no file of ours, and fails its checks).
// False when it cannot be opened.
bool ReadKeptFile(const char* file, std::size_t largest, std::vector<uint8_t>* bytes);
