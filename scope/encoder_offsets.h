// The zero offsets of an encoder box: set by the first read-out after a
// connect, forgotten when the alignment restarts or the encoder steps change.
#pragma once

#include <cstdint>

struct EncoderOffsets {
    int32_t initialized;  // 1 once the box has its resolutions and the offsets are set
    int32_t altOffset;    // encoder counts
    int32_t azOffset;
};

extern EncoderOffsets encoderOffsets;

// Forgets the offsets, so that the next read-out sets them again. Returns 0.
int ResetEncoderOffsets();
