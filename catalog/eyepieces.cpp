#include "catalog/eyepieces.h"

#include <cstdio>

#include "catalog/databases.h"

namespace {

constexpr std::size_t kEyepieceRecordSize = 72;

bool OpenEyepieces(RecordDbHandle** db) {
    return OpenRecordDb(db, "pl62", kCreatorCode, kDataFolder, kEyepieceFile);
}

}  // namespace

int CheckEyepieceDatabase() {
    RecordDbHandle* db = nullptr;
    OpenEyepieces(&db);
    int count = GetRecDbCount(db);
    CloseRecordDb(&db);
    return count;
}

bool GetEyepieceRecord(int index, uint32_t* value, float* focalLength, char* destination, std::size_t size) {
    if (destination && size > 0) std::snprintf(destination, size, "None");
    RecordDbHandle* db = nullptr;
    uint8_t bytes[kEyepieceRecordSize];
    bool ok = OpenEyepieces(&db) && ReadRecord(db, index, bytes, sizeof bytes);
    CloseRecordDb(&db);
    if (!ok) return false;
    EyepieceRecord e;
    LoadText(bytes, 28, 4, e.makerCode, sizeof e.makerCode);
    LoadText(bytes, 32, 32, e.model, sizeof e.model);
    e.focalLength = LoadF32(bytes, 64);
    e.value = LoadU32(bytes, 68);
    if (destination && size > 0) std::snprintf(destination, size, "%s-%s", e.makerCode, e.model);
    *value = e.value;
    *focalLength = e.focalLength;
    return true;
}
