// The entries of the picture and criteria search fuzz targets and of their
// replay tests. Each returns 0 when every check held, otherwise the number of
// the first check that failed.
#pragma once

#include <cstddef>
#include <cstdint>

// The input as "img\picture.jpg", decoded by the program's picture reader.
// 1 a picture given of no size or larger than 16384 pixels on a side.
int RunPictures(const uint8_t* data, std::size_t size);

// The first byte chooses the search (its catalogue, class, type and whether
// only the sky above the horizon counts); the rest is split at the first
// "%ZDV%" into "data\zendavori_obj_1k.ppc" and the user catalogue
// "usercatalogs\user.pdb", and the observing list is built from the objects
// that pass at a fixed time and site. 1 more entries than the list holds, 2 a
// name not terminated, 3 a shown row that is not an entry.
int RunCriteriaSearch(const uint8_t* data, std::size_t size);
