// Memo import and export of the observing list: plain text files in
// "userlists", one object a line of eleven fields each ended by ';' (the last by
// the line end): catalogue prefix; number; name; object type code; deep-sky type
// text; right ascension and declination in the display formats; magnitude with
// one decimal; size 1; size 2; small code. Lines end with LF; CR LF is read too.
#pragma once

#include <cstddef>

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"

// Text buffers of the import and the export; the export hands its buffer to
// the memo being gathered whenever more than kMemoFlushBytes are in use.
constexpr std::size_t kMemoBufferSize = 16384;
constexpr std::size_t kMemoFlushBytes = 16184;

// The size of the import's text buffer: kMemoBufferSize, or room for a line
// of every entry the observing list can hold when that is more, so that a
// memo the program exported reads back whole.
std::size_t MemoImportBufferSize();

// Copies the text up to the first ';', LF, CR or the end into dst, keeping at
// most `max` characters (dst holds max + 1 bytes, terminated). Returns the
// number of characters up to the separator plus 1, so that the separator is
// skipped.
int ReadMemoField(const char* src, char* dst, int max);

// Reads the line at `text` (line ends before it are skipped) into *out:
// designation by prefix (63 when no prefix matches; a blank prefix is a planet,
// a star or a constellation by the object type field), number, name (18
// characters), object type by code, type code by type text, RA and Dec, the
// constellation of that position as J2000, magnitude, sizes and the small
// code. RA and Dec are read from a decimal number or a form the display
// formats write, with an optional sign; any other field (blank, letters, a
// minute of 60, a whole number beyond the 32-bit range) gives NaN, a place
// IsSkyPlace refuses; each of the two fields is judged whole, whatever its
// length. A number or small code beyond the 32-bit range leaves both NaN.
// Returns the characters consumed, or -1 when the text ends before the
// eleventh field.
int ParseListLine(const char* text, ObjectRecord* out);

// Appends the line of `entry` at `end`, where `room` bytes are free; an empty
// text field is written as one blank, and inside a field ';' becomes ',' and
// CR or LF a blank, so the line reads back as the same eleven fields. Returns
// 1, or 0 (nothing written) when the line does not fit.
int FormatListLine(char* end, std::size_t room, const SelectionEntry* entry);

// Within an export (BeginMemoExport) adds `text` to the memo being gathered.
// Outside one, writes `text` as a memo of its own: the file
// "userlists\%04d%02d%02d_zendamemo_%02d%02d.txt" of the current minute, or
// when a file has that name the first free of "..._2.txt", "..._3.txt", ...,
// so that no memo is ever replaced. The file is written whole beside its name
// and then takes it, so a failed or killed write leaves no memo. Reports
// "Can't open memo:" or "Error while exporting memo." with the file name.
// Returns 1.
int ExportMemo(const char* text);

// Starts and ends an export of several writes: from BeginMemoExport until
// EndMemoExport every ExportMemo adds to one text, which EndMemoExport writes
// once as one memo (as ExportMemo outside an export writes). EndMemoExport
// returns true when the memo was written whole, false after telling why (or
// when no export was begun); an export that gathered no text writes no file
// and says "Nothing to export.".
void BeginMemoExport();
bool EndMemoExport();

// An empty operation called after each export write.
void ExportHookEmpty();

// Writes the rows shown in the observing list as one memo (EndMemoExport), its
// planets, comets and asteroids at their places of the program's time as it
// runs (ProgramDateTime, which also names the file), and,
// once it is written whole, shows "%d Object%s exported.\n"; with no row,
// "Nothing to export." and no file. Returns 1.
int ExportListToMemo();

// Reads the memo file "userlists\<fileName>" into `buffer` of `size` bytes,
// terminated. A file too long for the buffer is cut after its last whole line;
// `*cut` tells so, or without `cut` the message "Memo file too long." (the
// file name as detail). False with "Can't open file." (the path as detail),
// "Can't read file." or "Invalid list name.".
bool ReadMemoFile(const char* fileName, char* buffer, std::size_t size, bool* cut = nullptr);

// Builds a new observing list from memo text: the date and time of the list
// become the current ones; Messier, Caldwell, Herschel 400 and best-of-NGC
// lines take their catalogue records. A line cut before its eleventh field
// stops the reading ("Failed to load data. Check line" with the line); a line
// whose place is no place on the sky (IsSkyPlace) is told the same way and
// left out, and the reading goes on; a repeated object shows "Already
// loaded:" (a comet or asteroid line repeats one when it names a record
// listed already, with or without its number). The lines are read before the
// list is touched: when none gives an entry the list is left as it was,
// nothing is shown and the result is 0. Returns the number of entries made; 0
// also when the list cannot be allocated. A comet or asteroid line keeps the
// record of its number while that record still has its name, else finds one
// by the whole name it carries (CometLineNames), and the list's comets are
// matched again (MatchListedComets).
int ImportMemoText(const char* text);

// ImportMemoText of the text read from memo file `fileName` (`cut`: it was cut
// for length). When no line gives an entry, only "No object found in memo:"
// with the file name is shown; otherwise "Memo file too long." first when cut.
int ImportMemoFileText(const char* fileName, const char* text, bool cut);
