// The entries of the record-database fuzz targets and of their replay tests.
// Each takes the input as the whole of one file of the program folder, opens
// it with the program's own open function and reads it through the readers the
// program uses; the files the reader needs beside it are written from the
// fixture writer. Each returns 0 when every check held, otherwise the number
// of the first check that failed (a fault the sanitizers do not see).
#pragma once

#include <cstddef>
#include <cstdint>

// "data\zendavori_obj_18k.ppc": the catalogue ranges, every record (the first
// 96 and the last), the four number tables and objects by kind with their
// texts and places. 1 a text not terminated in its buffer, 2 a range that does
// not lie inside the file, 3 a place outside the sky.
int RunObjectFile(const uint8_t* data, std::size_t size);

// "data\zendavori_obj_1k_idx.ppc" beside a fixture object file: every index
// record and searches by declination. 1 an entry whose record is outside the
// object file or whose designation or type is outside its table yet kept, 2 a
// search result outside the index.
int RunObjectIndex(const uint8_t* data, std::size_t size);

// "data\zendavori_obj_cross_ref.ppc": cross references of objects of several
// catalogues, with and without a name. 1 a name not terminated inside its
// buffer, 2 an alternative with an id that is not positive.
int RunCrossReferences(const uint8_t* data, std::size_t size);

// "data\zendavori_obj_18k_desc.ppc": descriptions found and expanded. 1 a
// description longer than 49 characters or not terminated, 2 an expansion not
// terminated inside its buffer.
int RunDescriptions(const uint8_t* data, std::size_t size);

// "usercatalogs\user.pdb" as the user catalogue: every record and the objects
// of the "User catalog" kind. 1 a name empty or not terminated.
int RunUserCatalog(const uint8_t* data, std::size_t size);

// "data\zendavori_default_stars.ppc": every record and the loaded table.
// 1 a record outside the sky's Fix24Angle range.
int RunDefaultStars(const uint8_t* data, std::size_t size);

// "data\zendavori_brightstar.ppc" beside a fixture default-star file: the
// count, every name and the names by HR number. 1 a star index outside the
// table, 2 a name not terminated.
int RunBrightStarNames(const uint8_t* data, std::size_t size);

// "data\zendavori_hr.ppc" as the open stellar catalogue: every star, searches
// by declination and stars by number. 1 a result outside the catalogue.
int RunStellarCatalog(const uint8_t* data, std::size_t size);

// The first byte chooses the index (0 the HR index, 1 the Hipparcos index, 2
// the Tycho index), the rest is its file, beside a fixture catalogue of the
// size that index serves: stars looked up by number. 1 a star delivered from a
// record outside the catalogue, or with another number.
int RunStellarIndexes(const uint8_t* data, std::size_t size);

// "data\zendavori_moon.ppc": every feature, the feature index, its sorts and
// type ranges. 1 a range outside the index, 2 a name not terminated.
int RunMoonFeatures(const uint8_t* data, std::size_t size);

// "data\zendavori_mars.ppc": every feature and every group. 1 a group run
// outside the file, 2 a name not terminated.
int RunMarsFeatures(const uint8_t* data, std::size_t size);

// "data\zendavori_constellation.ppc": both figure sets. 1 a line whose stars are not entries of the star table.
int RunConstellationLines(const uint8_t* data, std::size_t size);

// "data\zendavori_eyepiece.ppc": every eyepiece. 1 a text not terminated.
int RunEyepieces(const uint8_t* data, std::size_t size);

// "data\zendavori_satellites.ppc": every element set's lines. 1 a line not
// terminated inside its buffer.
int RunSatelliteDatabase(const uint8_t* data, std::size_t size);
