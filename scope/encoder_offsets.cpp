#include "scope/encoder_offsets.h"

EncoderOffsets encoderOffsets{};

int ResetEncoderOffsets() {
    encoderOffsets = EncoderOffsets{};
    return 0;
}

int RestoreEncoderOffsets(int32_t altOffset, int32_t azOffset) {
    encoderOffsets = EncoderOffsets{1, altOffset, azOffset};
    return 1;
}
