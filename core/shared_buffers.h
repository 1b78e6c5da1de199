// The long-lived buffers that start-up allocates and shut-down frees, shared by
// every subsystem. Each is null until allocated and null again once freed.
#pragma once

#include <cstddef>
#include <cstdint>

// The shared text buffer for messages and serial commands; first byte 0 after
// allocation. Whoever formats into it stays within kTxtBufferSize bytes.
constexpr std::size_t kTxtBufferSize = 256;
extern char* txtBuffer;

constexpr std::size_t kButtonListSize = 80;
constexpr std::size_t kCatalogListSize0 = 276;
constexpr std::size_t kCatalogListSize1 = 172;
constexpr std::size_t kAlignmentStarsSize = 2560;  // 20 reference-star records of 128 bytes
constexpr std::size_t kDreyerLongBufferSize = 200;
constexpr int kObjListNameCount = 100;             // name pointers, ended by the first null

// Buffers of the home form and the object lists (two buttonList and two
// catalogList buffers), the alignment-star table, the expanded Dreyer text and
// the object-list names.
extern uint8_t* buttonList[2];
extern uint8_t* buttonListSave;
extern uint8_t* buttonListTypeSave;
extern uint8_t* catalogList[2];
extern uint8_t* alignmentStars;
extern char* dreyerLong;
extern char** objListNamePtr;

// Allocates `size` zero-filled bytes for a long-lived buffer; null when memory
// runs out.
void* AllocSharedBuffer(std::size_t size);
// Frees memory of AllocSharedBuffer (null is accepted).
void ReleaseSharedBufferMemory(void* buffer);

// Frees a buffer of AllocSharedBuffer and sets the pointer to null.
template <typename T>
void FreeSharedBuffer(T*& buffer) {
    ReleaseSharedBufferMemory(buffer);
    buffer = nullptr;
}

// Test hook: the next `count` allocations succeed and every later one fails,
// as when memory runs out; a negative count turns it off.
void FailSharedAllocationsAfter(int count);
