// Record database files: the read-only catalogue files of fixed-size records in
// the program's "data" folder. A file is a 16-byte little-endian header
// {version, reserved, record count, record size} followed by the records, record
// i at byte 16 + i x record size. Only the low 16 bits of the version and of the
// count are used, so at most 65535 records are reachable; a count beyond the
// records the file holds is cut to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// One open record-database file with its one record buffer; every read
// overwrites the buffer. The file's bytes are read into a window in memory and
// records are copied from there: a file of up to kRecordDbWholeFileBytes is
// read whole when it is opened, a larger one 64 KiB (or one record) at a time
// from the record asked for, so that reading a file record by record reads it
// once. The file's size is asked of the system when the file is opened and
// then once in each batch of reads (StartRecordBatch), not at every read: a
// record that the file no longer holds (a file cut after it was opened) fails
// to read from the next batch on.
struct RecordDbHandle {
    uint32_t version;
    uint32_t recordSize;   // 1..65536
    uint32_t recordCount;  // the whole header word, or the records present when the file
                           // holds fewer; the low 16 bits are used
    uint8_t* record;       // recordSize bytes
    std::FILE* file;
    uint8_t* window;       // windowCapacity bytes, null until first needed
    std::size_t windowCapacity;
    std::size_t windowSize;  // bytes held, from windowStart on
    int64_t windowStart;     // file offset of window[0]
    bool wholeFile;          // the window holds the whole file as it was opened
    int64_t fileSize;        // the file's size when it was last asked for
    uint64_t sizeBatch;      // the batch of reads in which it was asked for
    uint64_t openSerial;     // 1 for the first file opened in the run, then 2, ...: tells a
                             // file opened anew from the one a cache was made of
};

// A file up to this size is read whole when it is opened.
constexpr int64_t kRecordDbWholeFileBytes = 4 << 20;

// ---- one file ----

// The program folder with a trailing backslash, cut to fit `size` bytes.
void GetExeDirectory(char* dst, std::size_t size);

// Opens the program file `name` ("data\\zendavori_moon.ppc") for reading and reads
// its header. Returns 0 and sets *handle on success; 1 on failure (*handle null).
// A header shorter than 16 bytes fails silently; a record size of 0 or above 65536
// fails with "<file name> is damaged". A file that holds fewer whole records than
// its header counts opens with the records it holds, and is reported once in the
// run as "<file name> is damaged" with "It holds <n> of the <count> records its
// header counts; only those are read.".
int OpenRecDb(const std::string& name, RecordDbHandle** handle);

// Forgets which cut files were reported (a new start, tests).
void ResetRecordDbReports();

// Starts a batch of reads (a chart frame, a search): the first read of each
// open file in the batch asks the system for the file's size again, later
// reads in the batch answer from memory. Callers start a batch where they
// begin a long run of reads, so that a file cut meanwhile is noticed there.
void StartRecordBatch();

// The system calls this layer has made since the program started, for the
// benchmarks: each open, read, size asked for and close counts one (the
// folder look-up of the platform's file opening is not counted).
uint64_t RecordDbSystemCalls();

// Closes the file and frees the handle; a null handle is accepted.
void CloseRecDb(RecordDbHandle* handle);

// Low 16 bits of the record count; 0 for a null handle.
int GetRecDbCount(const RecordDbHandle* handle);

// The whole records the file holds by its size as last asked for (at most
// 65535), whatever its header counts; 0 for a null handle.
int GetRecDbRecordsPresent(const RecordDbHandle* handle);

// Reads record `index` into the handle's buffer. Returns 0 and sets *record to the
// buffer on success; 1 when the index is negative, the read fails or the file does
// not hold the whole record (by its size as last asked for).
int ReadRecDbRecord(RecordDbHandle* handle, long index, const uint8_t** record);

// Reads record `index` and returns the buffer when the record holds at least
// `bytes` bytes; nullptr on any failure (no message).
const uint8_t* FetchRecord(RecordDbHandle* handle, long index, std::size_t bytes);

// ---- one database slot (a handle pointer, null while the database is closed) ----

// Clears the slot, then opens folder + name into it; true when it is open. The
// type and creator codes name the database and do not take part in the path.
bool OpenRecordDb(RecordDbHandle** slot, const char* type, const char* creator, const std::string& folder,
                  const std::string& name);

// Closes the slot's handle, if any, and clears the slot.
void CloseRecordDb(RecordDbHandle** slot);

// Record count x multiplier; 0 when the slot is closed.
int GetRecordCount(const RecordDbHandle* slot, int multiplier);

// Copies `length` bytes of record `index` (taken as 16 bits) into destination.
// On a read failure, or a record shorter than `length`, shows "Could not retrieve
// record!" and returns false; a closed slot returns false silently.
bool ReadRecord(RecordDbHandle* slot, int index, void* destination, std::size_t length);

// Low 16 bits of the header version; false (version 0) when the slot is closed.
bool GetDbVersion(const RecordDbHandle* slot, int* version);

// ---- little-endian fields of a record ----

uint16_t LoadU16(const uint8_t* record, std::size_t offset);
int16_t LoadI16(const uint8_t* record, std::size_t offset);
uint32_t LoadU32(const uint8_t* record, std::size_t offset);
int32_t LoadI32(const uint8_t* record, std::size_t offset);
float LoadF32(const uint8_t* record, std::size_t offset);

void StoreU16(uint8_t* record, std::size_t offset, uint16_t value);
void StoreU32(uint8_t* record, std::size_t offset, uint32_t value);
void StoreF32(uint8_t* record, std::size_t offset, float value);

// Copies the text of a field `width` bytes wide (up to its first NUL) into dst,
// cut to fit `size` bytes and always terminated.
void LoadText(const uint8_t* record, std::size_t offset, std::size_t width, char* dst, std::size_t size);

// ---- sorted databases ----

// Binary search of a sorted database whose record 0 is not a data record: probes
// records 1..count-1; `compare` gives the sign of (probe key - sought key) for a
// probe's record bytes. Returns the record number found, -1 when not found, -2 on
// a read failure (a probe record that cannot be read or is shorter than `bytes`).
template <typename Compare>
long SearchSortedDb(RecordDbHandle* handle, std::size_t bytes, Compare compare) {
    long low = 1;
    long high = static_cast<long>(GetRecDbCount(handle)) - 1;
    while (low <= high) {
        long mid = (low + high) / 2;
        const uint8_t* record = FetchRecord(handle, mid, bytes);
        if (!record) return -2;
        int c = compare(record);
        if (c == 0) return mid;
        if (c > 0) high = mid - 1;
        else low = mid + 1;
    }
    return -1;
}
