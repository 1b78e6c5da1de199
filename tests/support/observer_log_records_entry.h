// The entry of the observer log record's fuzz target and of its replay test:
// the input's first 456 bytes are one entry's file, read as the log reader
// reads it and written as an export line; a byte after them chooses the
// right-ascension and declination formats of the line; the record is then
// saved twice as a new entry in a program folder.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 the reader took fewer than 456 bytes, or refused 456 or more,
// 2 a text ran past its field,
// 3 the record written back and read again differs,
// 4 the export line is not one line of 17 non-empty fields,
// 5 an edited entry took a date that is no date,
// 6 the second save replaced the first entry's file, or the two files are not
// both listed and read back as saved.
int RunObserverLogRecord(const uint8_t* data, std::size_t size);
