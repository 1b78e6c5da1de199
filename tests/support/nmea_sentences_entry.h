// The entry of the NMEA fuzz target and of its replay test: the input is what
// a GPS receiver sends on the GPS port, read through ReadGpsFix from a scripted
// line, and also scanned whole by ScanNmeaBuffer.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a text was given that is not "DD°MM'SS H" / "DDD°MM'SS H", 2 a text reads
// back as no place (beyond 90° or 180°, or the wrong hemisphere letter),
// 3 the reading said no position but left a text, 4 the port stayed open.
int RunNmeaSentences(const uint8_t* data, std::size_t size);
