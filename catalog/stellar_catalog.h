// The stellar catalogues: one optional large catalogue of packed stars open at a
// time (HR, Hipparcos or Tycho stars of several sizes), chosen by the chart's
// catalogue level and capped by the "Card Catalog" preference; its records are
// sorted by declination. Lookups by HR, Hipparcos and Tycho number go through
// the index files, which are opened for each lookup only.
#pragma once

#include <cstddef>
#include <cstdint>

// A packed star: 12 bytes {u32 id, i8 RA h m s, i8 Dec d m s, u8 magnitude x 16,
// i8 colour}; every position byte carries the sign of the whole value.
constexpr std::size_t kPackedStarSize = 12;

// A star as the lookups deliver it.
struct UnpackedStar {
    uint16_t id;             // low 16 bits of the star id
    int32_t rightAscension;  // Fix24Angle
    int32_t declination;     // Fix24Angle
    uint16_t magnitude;      // visual magnitude x 16
    int16_t colour;
};

constexpr int kStellarCatalogFileCount = 7;
constexpr int kStellarLevelCount = 16;

// File names under "data\", by file index 0 (HR stars) .. 6 (Tycho 2.5 million).
extern const char* const stellarCatalogFiles[kStellarCatalogFileCount];

// Unpacks the 12 bytes at `packed` into *star and returns the full 32-bit id.
// Positions by integer arithmetic: floor(h x 562209904 / 128) + floor(m x 9370165
// / 128) + floor(s x 156169 / 128), declination likewise with 37480660, 624677
// and 10411 (one hour, minute, second of time and one degree, arc minute and
// arc second in Fix24Angle units, times 128).
uint32_t UnpackStar(const uint8_t* packed, UnpackedStar* star);

// File index 1..4 of the largest Hipparcos catalogue present in "data", 0 when
// none is: the value the "Card Catalog" preference starts with.
int LargestHipparcosCatalogInstalled();

// Opens the catalogue of level 0..15 (levels 0-4 the HR file, 5..9 the Hipparcos
// and Tycho files in turn, 10-15 the largest), lowered to the file the "Card
// Catalog" preference names. True when a stellar catalogue is open afterwards;
// always false with the preference at 0 or a level outside 0..15. A file whose
// records cannot hold their stars is reported as damaged and not used.
bool SelectStellarCatalog(int level);

// The file that SelectStellarCatalog(level) opens under the present "Card
// Catalog" preference; null when it opens none.
const char* StellarCatalogFileOf(int level);

// Stars per record of the open catalogue: 80 for a file of more than 25000
// records, else 42.
int GetStellarStarsPerRecord();

// Record `index` of the open catalogue: GetStellarStarsPerRecord() packed stars
// (kPackedStarSize bytes each), valid until the next read of the catalogue;
// null when no catalogue is open or the record cannot be read.
const uint8_t* GetStellarRecord(int index);

// Record count x stars per record; 0 when no catalogue is open.
int GetHipparcosStarCount();

// The record at or next to a declination (degrees): the last probe of a binary
// search on the degrees and then minutes of each record's first star. 0 for a
// one-record file; -1 when no catalogue is open, the declination is outside
// -90..90, or a record cannot be read ("Can't find Hipparchos record number %d").
int FindStellarRecordByDec(float declination);

// Star number `position` of the catalogue in file order; returns its 32-bit id,
// 0 when it cannot be read ("Database Hipparchos isn't open!" when closed).
uint32_t GetHipparcosRecord(int position, UnpackedStar* star);

// Star `number` of the Hipparcos (118001..119999 stars open) or HR (9101..9199)
// catalogue through its index file: the stellar record that holds it, with the
// star in *star; -1 when it is not there (a number outside 1..121000, another
// catalogue, an index that cannot be read, an entry outside the record count, a
// record that cannot be read, or no star of that number in the record); 0 when
// no catalogue is open.
int GetStarByCatalogNumber(int32_t number, UnpackedStar* star);

// Tycho star `id` (region x 100000 + number): searches the records between the
// declinations of its region in the Tycho index. True when found.
bool GetTychoStar(uint32_t id, UnpackedStar* star);

// "TYC<region>-<number>-1" of a Tycho id, cut to fit `size` bytes.
void FormatTychoDesignation(char* buffer, std::size_t size, uint32_t id);
