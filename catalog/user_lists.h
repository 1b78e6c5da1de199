// User list files: the observing list kept as "userlists\<name>.lst", a 68-byte
// header {u32 0, char name[40], i32 year, month, day, hour, minute, i32 count}
// and `count` entries of 76 bytes (the list entries byte for byte). The list
// kept between runs is "last_list.lst".
#pragma once

#include <cstdint>

constexpr int kUserListHeaderSize = 68;
constexpr int kUserListNameField = 40;

// A list or catalogue name that stays inside its folder and that the device's
// file system accepts: not empty, without "/", "\", "..", control characters
// or any of < > : " | ? *.
bool IsValidListName(const char* name);

// Writes the whole observing list to "userlists\<listName>.lst" through a
// temporary file renamed over the old one, so a failed save leaves the old
// list as it was. Nothing happens for an empty list; an invalid name shows
// "Invalid list name."; a file that cannot be created or written shows "Can't
// save list:" with the file's name, once. A file there that does not read
// whole (its header counts other than its entries or holds date words that
// make no date and time, or it holds an entry a load leaves out as damaged or
// a name without its terminating zero), and the file
// the list was last loaded from while entries of it were left out for want of
// room, are never replaced before the copy "<name>.lst.bad" exists (made now
// when missing; a save that cannot make it fails as above). The loaded file is
// known under any spelling the program finds it by ("obs" for "Obs.lst").
void SaveUserList(const char* listName);

// asCatalog 0: replaces the observing list by the file "userlists\<fileName>"
// (the name with its extension), keeping one entry free for the end mark, and
// restores the list's date and time into the selection criteria (a time of the
// list's own only when after the device clock, TakeListDate; date words that
// make no date and time are not kept, the criteria take the program's time and
// the file counts as not read whole, below). Its comet
// entries find their records by name (MatchListedComets). A missing file
// changes nothing and says nothing; a file shorter than a header shows "Can't
// read header." and changes nothing. The whole entries of the file are read,
// up to the list's room, whatever its header counts. A file whose header
// counts other than the entries it holds (more, fewer, a negative count), or
// one of whose entries read has a name without its terminating zero (read cut
// to 14 characters and kept), or whose date words make no date and time, is
// copied byte for byte to "<fileName>.bad" (an
// older copy of other bytes is kept as "<fileName>_2.bad", "_3" ...) and told
// once in "%d entries of %s were read; the file is kept as %s.bad." ("Can't
// save list:" with the copy's name when the copy cannot be made). Entries of a
// whole file beyond the list's room
// are told in "%d entries of %s could not be loaded; raise Max Selected items
// to see them."; entries whose designation, object type or place is out of
// range are left out, told in one "%d damaged entries were skipped.".
// asCatalog not 0: makes `fileName` the user catalogue (at most 51 characters)
// and opens it; the list entries are unchanged.
// Both rebuild the shown rows under the class filter.
void LoadUserList(const char* fileName, int asCatalog);

// True when the last load of `fileName` could not take all its entries, or
// the list was cut to a smaller "Max Selected items" since, and the list has
// not changed otherwise (the words the chart rewrites aside, the place,
// magnitude, distance, constellation and size that move a planet or comet to
// another time, and the record number that a comet entry finds by its name):
// saving it over that file would lose the entries left out.
bool IsCutListUnchanged(const char* fileName);

// Carries the observing list into arrays for a changed "Max Selected items"
// (ReallocSelectionList): entries, order, shown rows and current row. The
// entries left out for want of room are told in one "%d entries did not fit in
// the list and were left out."; when the list was as its last load left it,
// that file counts as cut (IsCutListUnchanged), so that it is not saved over.
void CarryListToNewCapacity();

// The header of a list file, as the list manager shows it.
struct UserListHeader {
    char name[kUserListNameField + 1];  // at most 40 characters, terminated
    int32_t year, month, day, hour, minute;
    int32_t count;
};

enum UserListHeaderResult { kHeaderRead, kHeaderNoFile, kHeaderShort };

// Reads the header of "userlists\<fileName>" (the name with its extension):
// kHeaderNoFile when the file cannot be opened (or the name is not valid),
// kHeaderShort when it holds less than a header; `header` is only written on
// kHeaderRead.
UserListHeaderResult ReadUserListHeader(const char* fileName, UserListHeader* header);
