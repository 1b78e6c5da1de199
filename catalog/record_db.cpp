#include "catalog/record_db.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <set>
#include <string>

#include "core/services.h"
#include "platform/files.h"

namespace {

constexpr uint32_t kMaxRecordSize = 65536;
// Bytes read at once from a larger file.
constexpr std::size_t kWindowBytes = 1 << 16;

// The file name without its folder, for messages.
std::string BaseName(const std::string& name) {
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// Files already reported as cut (name, length and header count): a file that
// is opened for every lookup is reported once, not at each open. A run sees a
// few such files; the list is kept short whatever it is fed.
std::set<std::string> reportedCutFiles;
constexpr std::size_t kReportedCutFilesMax = 64;

// The current batch of reads, the system calls made so far and the files opened so far.
uint64_t readBatch = 1;
uint64_t systemCalls = 0;
uint64_t openSerials = 0;

// The records a file of `fileSize` bytes holds whole.
uint32_t RecordsPresent(int64_t fileSize, uint32_t recordSize) {
    if (fileSize <= 16) return 0;
    int64_t present = (fileSize - 16) / recordSize;
    return present > 0xFFFF ? 0xFFFFu : static_cast<uint32_t>(present);
}

// The header's count, or the records present in a file of `size` bytes when it
// holds fewer (a cut download, a full card): that file is reported as damaged.
uint32_t CheckedRecordCount(const std::string& name, int64_t size, uint32_t headerCount, uint32_t recordSize) {
    if (size < 0) return headerCount;
    const uint32_t present = RecordsPresent(size, recordSize);
    if ((headerCount & 0xFFFF) <= present) return headerCount;
    std::string key = name + "|" + std::to_string(size) + "|" + std::to_string(headerCount & 0xFFFF);
    if (reportedCutFiles.size() >= kReportedCutFilesMax) reportedCutFiles.clear();
    if (reportedCutFiles.insert(key).second)
        ShowInformation(BaseName(name) + " is damaged", "It holds " + std::to_string(present) + " of the " +
                                                            std::to_string(headerCount & 0xFFFF) +
                                                            " records its header counts; only those are read.");
    return present;
}

std::FILE* OpenFile(const std::string& name) {
    ++systemCalls;
    return pl::OpenFile(name, "rb");
}

void CloseFile(std::FILE* file) {
    ++systemCalls;
    std::fclose(file);
}

// The file's size now; -1 when it cannot be told.
int64_t FileSize(std::FILE* file) {
    ++systemCalls;
    return pl::FileSize(file);
}

// Reads up to `size` bytes from `offset` on; fewer at the end of the file,
// none on an error.
std::size_t ReadAt(std::FILE* file, uint8_t* buffer, std::size_t size, int64_t offset) {
    ++systemCalls;
    return pl::ReadAt(file, buffer, size, offset);
}

// Reads up to the window's capacity from `offset` on into the window. False
// when nothing could be read (a read error, or the end of the file).
bool FillWindow(RecordDbHandle* handle, int64_t offset) {
    handle->windowStart = offset;
    handle->windowSize = ReadAt(handle->file, handle->window, handle->windowCapacity, offset);
    return handle->windowSize > 0;
}

// Reads the whole file of `size` bytes into the window, when it is small
// enough; a larger file gets an empty window of kWindowBytes (at least one
// record) that is filled on the first read.
bool MakeWindow(RecordDbHandle* handle, int64_t size) {
    handle->wholeFile = size > 0 && size <= kRecordDbWholeFileBytes;
    handle->windowCapacity = handle->wholeFile ? static_cast<std::size_t>(size)
                                               : std::max<std::size_t>(kWindowBytes, handle->recordSize);
    handle->window = new (std::nothrow) uint8_t[handle->windowCapacity];
    if (!handle->window) return false;
    if (handle->wholeFile) FillWindow(handle, 0);  // a failed read leaves it empty: every read fails
    return true;
}

}  // namespace

void GetExeDirectory(char* dst, std::size_t size) {
    if (!dst || size == 0) return;
    std::string path = pl::ProgramPath();
    std::size_t n = path.size() < size - 1 ? path.size() : size - 1;
    std::memcpy(dst, path.data(), n);
    dst[n] = '\0';
}

int OpenRecDb(const std::string& name, RecordDbHandle** handle) {
    *handle = nullptr;
    std::FILE* file = OpenFile(name);
    if (!file) return 1;
    uint8_t header[16];
    if (ReadAt(file, header, sizeof header, 0) != sizeof header) {
        CloseFile(file);
        return 1;
    }
    uint32_t recordSize = LoadU32(header, 12);
    if (recordSize == 0 || recordSize > kMaxRecordSize) {
        CloseFile(file);
        ShowInformation(BaseName(name) + " is damaged", "");
        return 1;
    }
    RecordDbHandle* h = new (std::nothrow) RecordDbHandle{};
    uint8_t* buffer = new (std::nothrow) uint8_t[recordSize]();
    if (!h || !buffer) {
        delete h;
        delete[] buffer;
        CloseFile(file);
        return 1;
    }
    h->version = LoadU32(header, 0);
    h->fileSize = FileSize(file);
    h->sizeBatch = readBatch;
    h->openSerial = ++openSerials;
    h->recordCount = CheckedRecordCount(name, h->fileSize, LoadU32(header, 8), recordSize);
    h->recordSize = recordSize;
    h->record = buffer;
    h->file = file;
    if (!MakeWindow(h, h->fileSize)) {
        CloseRecDb(h);
        return 1;
    }
    *handle = h;
    return 0;
}

void CloseRecDb(RecordDbHandle* handle) {
    if (!handle) return;
    if (handle->file) CloseFile(handle->file);
    delete[] handle->record;
    delete[] handle->window;
    delete handle;
}

void ResetRecordDbReports() { reportedCutFiles.clear(); }

void StartRecordBatch() { ++readBatch; }

uint64_t RecordDbSystemCalls() { return systemCalls; }

int GetRecDbCount(const RecordDbHandle* handle) { return handle ? static_cast<int>(handle->recordCount & 0xFFFF) : 0; }

int GetRecDbRecordsPresent(const RecordDbHandle* handle) {
    return handle ? static_cast<int>(RecordsPresent(handle->fileSize, handle->recordSize)) : 0;
}

int ReadRecDbRecord(RecordDbHandle* handle, long index, const uint8_t** record) {
    if (!handle || index < 0) return 1;
    if (index > 0x7FFFFFFFL) return 1;
    const int64_t offset = 16 + static_cast<int64_t>(index) * handle->recordSize;
    auto inWindow = [handle, offset] {
        return offset >= handle->windowStart &&
               offset - handle->windowStart + handle->recordSize <= static_cast<int64_t>(handle->windowSize);
    };
    // A file cut since it was opened no longer holds the record: its size is
    // asked for once in each batch of reads.
    if (handle->sizeBatch != readBatch) {
        handle->fileSize = FileSize(handle->file);
        handle->sizeBatch = readBatch;
    }
    if (handle->fileSize < offset + static_cast<int64_t>(handle->recordSize)) return 1;
    if (!inWindow() && (handle->wholeFile || !FillWindow(handle, offset) || !inWindow())) return 1;
    std::memcpy(handle->record, handle->window + (offset - handle->windowStart), handle->recordSize);
    *record = handle->record;
    return 0;
}

const uint8_t* FetchRecord(RecordDbHandle* handle, long index, std::size_t bytes) {
    const uint8_t* record = nullptr;
    if (!handle || handle->recordSize < bytes) return nullptr;
    if (ReadRecDbRecord(handle, index, &record) != 0) return nullptr;
    return record;
}

bool OpenRecordDb(RecordDbHandle** slot, const char* /*type*/, const char* /*creator*/, const std::string& folder,
                  const std::string& name) {
    *slot = nullptr;
    return OpenRecDb(folder + name, slot) == 0;
}

void CloseRecordDb(RecordDbHandle** slot) {
    CloseRecDb(*slot);
    *slot = nullptr;
}

int GetRecordCount(const RecordDbHandle* slot, int multiplier) { return GetRecDbCount(slot) * multiplier; }

bool ReadRecord(RecordDbHandle* slot, int index, void* destination, std::size_t length) {
    if (!slot) return false;
    const uint8_t* record = FetchRecord(slot, index & 0xFFFF, length);
    if (!record) {
        ShowInformation("Could not retrieve record!", "");
        return false;
    }
    std::memcpy(destination, record, length);
    return true;
}

bool GetDbVersion(const RecordDbHandle* slot, int* version) {
    *version = slot ? static_cast<int>(slot->version & 0xFFFF) : 0;
    return slot != nullptr;
}

uint16_t LoadU16(const uint8_t* record, std::size_t offset) {
    return static_cast<uint16_t>(record[offset] | (record[offset + 1] << 8));
}

int16_t LoadI16(const uint8_t* record, std::size_t offset) { return static_cast<int16_t>(LoadU16(record, offset)); }

uint32_t LoadU32(const uint8_t* record, std::size_t offset) {
    return static_cast<uint32_t>(record[offset]) | (static_cast<uint32_t>(record[offset + 1]) << 8) |
           (static_cast<uint32_t>(record[offset + 2]) << 16) | (static_cast<uint32_t>(record[offset + 3]) << 24);
}

int32_t LoadI32(const uint8_t* record, std::size_t offset) { return static_cast<int32_t>(LoadU32(record, offset)); }

float LoadF32(const uint8_t* record, std::size_t offset) {
    uint32_t bits = LoadU32(record, offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void StoreU16(uint8_t* record, std::size_t offset, uint16_t value) {
    record[offset] = static_cast<uint8_t>(value);
    record[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void StoreU32(uint8_t* record, std::size_t offset, uint32_t value) {
    StoreU16(record, offset, static_cast<uint16_t>(value));
    StoreU16(record, offset + 2, static_cast<uint16_t>(value >> 16));
}

void StoreF32(uint8_t* record, std::size_t offset, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreU32(record, offset, bits);
}

void LoadText(const uint8_t* record, std::size_t offset, std::size_t width, char* dst, std::size_t size) {
    if (!dst || size == 0) return;
    std::size_t n = 0;
    while (n < width && n + 1 < size && record[offset + n] != 0) {
        dst[n] = static_cast<char>(record[offset + n]);
        ++n;
    }
    dst[n] = '\0';
}
