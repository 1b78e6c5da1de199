// The entry of the NexStar reply fuzz target and of its replay test: runs the
// NexStar driver's handshake, position reads, goto, sync, stop and abort
// against a scripted line whose replies are the input, and checks what the
// driver made of them.
//
// Input: byte 0 chooses the drive (8, 9, 10, 15 or 20, by its value mod 5);
// then replies, each a length byte and that many bytes (the last one cut at
// the end of the input), given in turn to the driver's writes.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a failed read left a non-zero output, 2 a read gave a place out of range,
// 3 a goto reported as sent did not carry the place's counts, 5 a failed
// connect left the port open.
int RunNexStarReplies(const uint8_t* data, std::size_t size);
