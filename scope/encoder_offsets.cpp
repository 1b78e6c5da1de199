#include "scope/encoder_offsets.h"

EncoderOffsets encoderOffsets{};

int ResetEncoderOffsets() {
    encoderOffsets = EncoderOffsets{};
    return 0;
}
