// The entry of the satellite pass fuzz target and of its replay test: the
// input's first 213 bytes are a satellite record (name line and two element
// lines, short input padded with blanks), an optional 214th byte places the
// site ((byte - 128) / 128 x 90 degrees of latitude, longitude 0) and an
// optional 215th moves the search's start (byte - 128) x 100 days from the
// epoch; the set is propagated, then searched for passes over one day (decoded
// as it is, even when InitSatelliteElements refuses it), each pass filled into
// a row.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a propagation broke its contract (finite state on success, not a number on
// failure), 2 a pass whose rise or set is not finite, whose rise follows its
// set, whose set lies before the search's start, or whose row's culmination
// lies outside it, 3 a search for one pass (with its culmination) took more
// than 5000 elevations, 4 the searches did not move forward, 5 a pass rose
// after the window's end, 6 a pass rose at or before the previous one's set.
int RunSatellitePasses(const uint8_t* data, std::size_t size);
