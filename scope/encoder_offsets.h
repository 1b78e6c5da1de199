// The zero offsets of an encoder box: counts taken off its readings so that
// they agree with the sky, set by the first sync after a zeroing, kept in
// preference words 220 and 221 for a later restore of the alignment, and
// forgotten when the alignment restarts or the encoder steps change.
#pragma once

#include <cstdint>

struct EncoderOffsets {
    int32_t initialized;  // 1 once the box has its resolutions and the offsets are valid
    int32_t altOffset;    // encoder counts
    int32_t azOffset;
};

extern EncoderOffsets encoderOffsets;

// Forgets the offsets and the box's initialisation, so that the next connect
// sends the resolutions again and the next sync sets the offsets. Returns 0.
int ResetEncoderOffsets();

// Takes saved offsets back (the alignment restore) and counts the box as
// initialised. The connection is left as it is: the port is not opened here,
// so the next read connects first. Returns 1.
int RestoreEncoderOffsets(int32_t altOffset, int32_t azOffset);
