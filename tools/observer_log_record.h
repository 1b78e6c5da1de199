// One observer log entry as it is kept on disk: a file "<name>.log" in the
// "userlogs" folder holding one 456-byte record, little-endian, read and
// written field by field at fixed offsets. Also the entry's line of the
// semicolon-separated text export.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kObserverLogRecordSize = 456;
constexpr uint32_t kObserverLogMagic = 123456789;  // 0x075BCD15

// Widths of the text fields in the file; a text keeps at most width - 1
// characters when saved (the NUL ends it), but a file may fill the whole field.
constexpr int kLogNameWidth = 20;
constexpr int kLogScopeWidth = 20;
constexpr int kLogLocationWidth = 30;
constexpr int kLogFilterWidth = 15;
constexpr int kLogCommentsWidth = 288;

// The object type of an entry that names no object (an event, a note): no row
// of objectTypeTable; its place and magnitude are then no object's.
constexpr int32_t kLogNoObjectType = -1;

// The entry in memory. Texts hold up to their field's width and a terminator.
// Codes read from a file may lie outside their tables; readers of them check.
struct ObserverLogRecord {
    uint32_t magic = 0;           //   0: kObserverLogMagic
    int32_t listIndex = 0;        //   4: listing position when last loaded; ignored when read
    char name[kLogNameWidth + 1] = {};  //   8: object or event; also the file name
    int32_t year = 0;             //  28
    int32_t month = 0;            //  32: 1..12
    int32_t day = 0;              //  36
    int32_t hour = 0;             //  40: local civil time
    int32_t minute = 0;           //  44
    float rightAscension = 0;     //  48: hours
    float declination = 0;        //  52: degrees
    int32_t moonPercent = 0;      //  56: illuminated fraction x 100, truncated
    int32_t sunAltitude = 0;      //  60: whole degrees, rounded to the nearest
    int32_t visualLimit10 = 0;    //  64: limiting magnitude x 10, truncated
    int32_t objectType = 0;       //  68: row of objectTypeTable, kLogNoObjectType for none
    int32_t objectMagnitude = 0;  //  72: magnitude truncated to an integer
                                  //  76: 4 bytes reserved, zero
    int32_t transparency = 0;     //  80: 0 Excellent, 1 Good, 2 Poor
    int32_t seeing = 0;           //  84: 0 Excellent, 1 Good, 2 Poor
    char scope[kLogScopeWidth + 1] = {};        //  88
    char location[kLogLocationWidth + 1] = {};  // 108
    char filter[kLogFilterWidth + 1] = {};      // 138
    char comments[kLogCommentsWidth + 1] = {};  // 153: line breaks as typed
                                  // 441: 3 bytes padding, zero
    int32_t eyepiece = 0;         // 444: row of the eyepiece popup, 0 none
    int32_t difficulty = 0;       // 448: 0 Evident, 1 Easy, 2 Difficult
    int32_t brightness = 0;       // 452: 0 Bright, 1 Faint
};

// The 456 bytes of the record; reserved and padding bytes are zero, each text
// is written up to its field's width and padded with NULs.
std::vector<uint8_t> EncodeObserverLogRecord(const ObserverLogRecord& record);

// Reads the record from `size` bytes. Texts are taken up to their first NUL
// and never past their field. False, the record untouched, when fewer than
// 456 bytes are given; the magic is read as it stands (the caller checks it).
bool DecodeObserverLogRecord(const uint8_t* bytes, std::size_t size, ObserverLogRecord* record);

// Copies at most `characters` characters of `text` into a record field of
// `characters` + 1 bytes or more, terminated.
void SetLogText(char* field, const char* text, int characters);

// The file name of an entry: "%s.log" of the name with '/', '\', ':', '*',
// '?', '"', '<', '>', '|' and control characters replaced by '_'; an empty
// name or one of dots only becomes "_".
std::string ObserverLogFileName(const char* name);

// The export's header with chunk number `chunk`.
std::string ObserverLogExportHeader(int chunk);

// Appends the entry's export line to `text`: seventeen fields separated by
// ';' and ended by "\n" (date in the date-order preference, time, object,
// right ascension and declination in the display formats, type name,
// magnitude with one decimal, constellation of the position taken at the
// equinox of JD 2451544.5, "%d%%" Moon, "%d\xB0" Sun, visual limit with one
// decimal, transparency and seeing codes, scope, location, filter,
// comments). Inside a text ';' becomes ',' and a line break (CR, LF or
// CR LF) a blank; an empty text, a type or constellation outside its table
// are written as " ", and so are the place, type, magnitude and
// constellation of an entry of type kLogNoObjectType.
void FormatObserverLogLine(std::string* text, const ObserverLogRecord& record);
