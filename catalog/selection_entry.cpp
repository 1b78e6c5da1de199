#include "catalog/selection_entry.h"

#include <cstring>

#include "catalog/record_db.h"

void StoreSelectionEntry(const SelectionEntry& e, uint8_t* b) {
    std::memcpy(b, e.name, kSelectionNameSize);
    b[15] = e.reserved;
    StoreU32(b, 16, static_cast<uint32_t>(e.number));
    StoreU16(b, 20, e.sourceIndex);
    StoreU16(b, 22, static_cast<uint16_t>(e.designation));
    StoreU16(b, 24, static_cast<uint16_t>(e.objectType));
    StoreU16(b, 26, static_cast<uint16_t>(e.constellation));
    StoreF32(b, 28, e.rightAscension);
    StoreF32(b, 32, e.declination);
    StoreU32(b, 36, static_cast<uint32_t>(e.chartX));
    StoreU32(b, 40, static_cast<uint32_t>(e.chartY));
    StoreU32(b, 44, static_cast<uint32_t>(e.chartZ));
    StoreU16(b, 48, static_cast<uint16_t>(e.size1));
    StoreU16(b, 50, static_cast<uint16_t>(e.size2));
    StoreU16(b, 52, e.source);
    b[54] = e.smallCode;
    b[55] = e.typeCode;
    StoreU32(b, 56, static_cast<uint32_t>(e.mag10));
    StoreU32(b, 60, static_cast<uint32_t>(e.screenX));
    StoreU32(b, 64, static_cast<uint32_t>(e.screenY));
    StoreU16(b, 68, e.horizonHidden);
    StoreU16(b, 70, e.alwaysShow);
    StoreF32(b, 72, e.distance);
}

bool LoadSelectionEntry(const uint8_t* b, SelectionEntry* e) {
    const bool terminated = std::memchr(b, 0, kSelectionNameSize) != nullptr;
    std::memcpy(e->name, b, kSelectionNameSize);
    e->name[kSelectionNameSize - 1] = '\0';
    e->reserved = b[15];
    e->number = LoadI32(b, 16);
    e->sourceIndex = LoadU16(b, 20);
    e->designation = LoadI16(b, 22);
    e->objectType = LoadI16(b, 24);
    e->constellation = LoadI16(b, 26);
    e->rightAscension = LoadF32(b, 28);
    e->declination = LoadF32(b, 32);
    e->chartX = LoadI32(b, 36);
    e->chartY = LoadI32(b, 40);
    e->chartZ = LoadI32(b, 44);
    e->size1 = LoadI16(b, 48);
    e->size2 = LoadI16(b, 50);
    e->source = LoadU16(b, 52);
    e->smallCode = b[54];
    e->typeCode = b[55];
    e->mag10 = LoadI32(b, 56);
    e->screenX = LoadI32(b, 60);
    e->screenY = LoadI32(b, 64);
    e->horizonHidden = LoadU16(b, 68);
    e->alwaysShow = LoadU16(b, 70);
    e->distance = LoadF32(b, 72);
    e->placeUnknown = 0;
    return terminated;
}
