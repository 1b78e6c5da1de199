// The entry of the reply fuzz target of the ServoCat, SkyCommander,
// SiderealTech and Takahashi drivers and of its replay test: runs a family's
// connect, reads, goto and (where it has them) sync and slews against a
// scripted line whose replies are the input, and checks what the driver made
// of them.
//
// Input: byte 0 chooses the family by its value mod 4 (ServoCat 13,
// SkyCommander 19, SiderealTech 18, Takahashi 14) and, by bit 2, EQ or AZ
// output; then replies, each a length byte and that many bytes (the last
// one cut at the end of the input), given in turn to the driver's writes.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a failed read left a non-zero output, 2 a read gave a place out of range
// (or not finite), 4 the driver wrote a byte no command holds, 5 a failed
// connect left the port open, 6 a connect succeeded with a SiderealTech
// resolution below 1, 7 a ServoCat goto's check byte was not the
// exclusive-or of its place.
int RunSmallDriveReplies(const uint8_t* data, std::size_t size);
