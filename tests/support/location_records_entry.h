// The entry of the location database fuzz target and of its replay test:
// the input is the whole "data\zendavori_location.ppc" file, its records
// -1..15 and 60..69 read through GetLocationRecord and taken into the site.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a record was accepted with coordinates or zone that are no place,
// 2 a name ran past its field, 3 the site taken from a record broke its
// invariants (a name past 11 characters, a sine that is not finite).
int RunLocationRecords(const uint8_t* data, std::size_t size);
