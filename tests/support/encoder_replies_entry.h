// The entry of the encoder reply fuzz target and of its replay test: runs an
// encoder box's connect, its position reads and the dispatcher's reads against
// a scripted line whose replies are the input, and checks what the driver made
// of them.
//
// Input: byte 0 chooses the drive (1, 3, 4, 11, 12, 16 or 22, by its value
// mod 7); byte 1 the encoder steps (bits 0-2 azimuth, 3-5 altitude, from 8192,
// -8192, 4000, 0, 1, 65535, -3, -2^31) and the output type (bits 6-7 mod 3);
// then replies, each a length byte and that many bytes (the last one cut at
// the end of the input), given in turn to the driver's writes.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a failed read left a non-zero output, 2 a read gave an angle out of
// range, 3 a position read gave a sky place out of range, 4 a failed connect
// left the port open.
int RunEncoderReplies(const uint8_t* data, std::size_t size);
