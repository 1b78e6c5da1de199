// The entry of the camera settings file's fuzz target and of its replay test:
// the input is the whole "zendavori.shots" file, read back as at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a setting was taken beyond its limits (text lengths, ISO row, count),
// 2 a file read as settings does not write back to the same bytes,
// 3 a file refused left settings behind, was not kept aside whole, or was
// not told once.
int RunShotSettings(const uint8_t* data, std::size_t size);
