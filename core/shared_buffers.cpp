#include "core/shared_buffers.h"

char* txtBuffer = nullptr;
uint8_t* buttonList[2] = {nullptr, nullptr};
uint8_t* buttonListSave = nullptr;
uint8_t* buttonListTypeSave = nullptr;
uint8_t* catalogList[2] = {nullptr, nullptr};
uint8_t* alignmentStars = nullptr;
char* dreyerLong = nullptr;
char** objListNamePtr = nullptr;

#include <cstdlib>

namespace {
int allocationsLeft = -1;  // -1: no simulated failure
}

void* AllocSharedBuffer(std::size_t size) {
    if (allocationsLeft == 0) return nullptr;
    if (allocationsLeft > 0) --allocationsLeft;
    return std::calloc(1, size);
}

void ReleaseSharedBufferMemory(void* buffer) { std::free(buffer); }

void FailSharedAllocationsAfter(int count) { allocationsLeft = count < 0 ? -1 : count; }
