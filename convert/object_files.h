// The deep-sky object files: the full ("18k") and the small ("1k") object
// databases, their declination indexes, and the cross references (other
// designations and proper names of the objects, proper names of HR stars).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalog/object_catalog.h"
#include "catalog/record_writer.h"
#include "convert/deep_sky_sources.h"

namespace convert {

struct DeepSkySources {
    std::vector<DsoObject> dso;
    std::map<uint32_t, std::vector<std::string>> names;  // by catalog.dat id
    std::map<std::pair<bool, long>, OpenNgcRow> openNgc;
};

struct ObjectFiles {
    std::vector<ObjectRecord> full;   // records 0..1130 shared with `small`, then the full catalogues
    std::vector<ObjectRecord> small;  // the first 1131 records
    std::vector<record_writer::Bytes> fullIndex, smallIndex;  // record 0 a header at -90 degrees
    std::vector<record_writer::Bytes> crossRefs;              // record 0 a header; sorted by (id, number)
};

// Builds every object file. starNames are (HR number, proper name) pairs for the
// cross references of the bright stars.
ObjectFiles BuildObjectFiles(const DeepSkySources& sources, const std::vector<std::pair<int, std::string>>& starNames);

// The deep-sky type-text code of a catalog.dat morphology ("SA(s)b" gives the
// code of "Sb"); else the code of the object type's generic text (PN, SNR, OCL,
// GCL, EN); else 0.
int ClassCodeFor(const std::string& morphology, int objectType);

// The object type (a row of objectTypeTable) of a catalog.dat type 0..35, or of
// an OpenNGC type; 26 for an unknown type.
int ObjectTypeOfDso(int dsoType);
int ObjectTypeOfOpenNgc(int openNgcType);

}  // namespace convert
