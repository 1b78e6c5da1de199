#include "catalog/designations.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text_numbers.h"

namespace {

// Record ranges of the full (18k) object file, restored by UseObjectFileRanges.
struct Range {
    uint16_t first;
    int16_t last;
};
Range fullRanges[kDesignationCount];
bool fullRangesSaved = false;

}  // namespace

uint32_t designationRangeChanges = 0;

DesignationRow designationTable[kDesignationCount] = {
    {"None", "No Criteria", 50000, 0},  // 0
    {"Abell", "Abell", 1130, 3869},  // 1
    {"B", "Barnard", 3869, 3985},  // 2
    {"Basel", "Basel", 3985, 3998},  // 3
    {"Berk", "Berkeley", 3998, 4091},  // 4
    {"Be", "Bernes", 50000, 0},  // 5
    {"Biur", "Biurakan", 4091, 4100},  // 6
    {"Blanco", "Blanco", 4100, 4101},  // 7
    {"Bochum", "Bochum", 4101, 4103},  // 8
    {"C", "Caldwell", 1127, 1130},  // 9
    {"Ced", "Cederblad", 4103, 4114},  // 10
    {"Cr", "Collinder", 4114, 4185},  // 11
    {"Comet", "Comet&Asteroid", 50000, 0},  // 12
    {"      ", "Constellation", 50000, 0},  // 13
    {"Czernik", "Czernik", 4185, 4224},  // 14
    {"Do", "Dolidze", 4224, 4268},  // 15
    {"DoDz", "Dolidze-Dzimselej", 4268, 4279},  // 16
    {"Graff", "Graff", 4279, 4280},  // 17
    {"Graham", "Graham", 4280, 4281},  // 18
    {"Grindlay", "Grindlay", 4281, 4282},  // 19
    {"Gum", "Gum", 4282, 4291},  // 20
    {"HA", "HA", 4291, 4292},  // 21
    {"Haffner", "Haffner", 4292, 4314},  // 22
    {"Harvard", "Harvard", 4314, 4323},  // 23
    {"HP", "Haute Provence", 4344, 4345},  // 24
    {"H", "Herschel", 50000, 0},  // 25
    {"HIP", "Hipparchos", 50000, 0},  // 26
    {"Hogg", "Hogg", 4323, 4344},  // 27
    {"HR", "HR", 50000, 0},  // 28
    {"IC", "IC", 4345, 9978},  // 29
    {"Isk", "Iskudarian", 9978, 9979},  // 30
    {"King", "King", 9979, 10003},  // 31
    {"Lg", "Lg", 10018, 10019},  // 32
    {"Liller", "Liller", 10019, 10020},  // 33
    {"LDN", "Lynds", 10003, 10018},  // 34
    {"Lynga", "Lynga", 10020, 10034},  // 35
    {"Maffei", "Maffei", 1126, 10035},  // 36
    {"Mrk", "Markarian", 10050, 10053},  // 37
    {"Mayer", "Mayer", 10035, 10038},  // 38
    {"Mel", "Melotte", 10038, 10050},  // 39
    {"M", "Messier", 50000, 0},  // 40
    {"Meteor", "Meteor Showers", 50000, 0},  // 41
    {"NGC", "NGC", 10055, 18521},  // 42
    {"Pal", "Palomar", 18521, 18535},  // 43
    {"Pismis", "Pismis", 18535, 18558},  // 44
    {"      ", "Planet", 50000, 0},  // 45
    {"RCW", "RCW", 18558, 18567},  // 46
    {"Roslund", "Roslund", 18567, 18573},  // 47
    {"Ru", "Ruprecht", 18573, 18744},  // 48
    {"SAC", "110 Best of NGC", 50000, 0},  // 49
    {"Sa", "Sandqvist", 18744, 18746},  // 50
    {"SAO", "SAO Double Star", 18746, 18913},  // 51
    {"Sh2", "Sharpless", 18913, 18957},  // 52
    {"SL", "SL", 18957, 18965},  // 53
    {"      ", "Stars (Brighest)", 50000, 0},  // 54
    {"Steph", "Stephenson", 18965, 18966},  // 55
    {"Stock", "Stock", 18966, 18987},  // 56
    {"Ter", "Terzan", 18987, 18998},  // 57
    {"Tombaugh", "Tombaugh", 18998, 19002},  // 58
    {"Tr", "Trumpler", 19002, 19036},  // 59
    {"TYC", "Tycho", 50000, 0},  // 60
    {"UGC", "UGC", 19036, 19303},  // 61
    {"UGCA", "UGCA", 19303, 19304},  // 62
    {"User", "User catalog", 50000, 0},  // 63
    {"vdB", "Van den Bergh", 19304, 19339},  // 64
    {"vdB-Ha", "Van den Bergh-Hagen", 19339, 19400},  // 65
    {"Waterloo", "Waterloo", 19400, 19401},  // 66
    {"Westr", "Westerlund", 19401, 19402},  // 67
};

ObjectTypeRow objectTypeTable[kObjectTypeCount] = {
    {0, "   ", "   ", 0, 0},                                    // 0
    {0, "ASTER", "Asterism", 42, 0},                           // 1
    {1, "GLOCL", "Globular Cluster", 69, 0},                   // 2
    {1, "GX+GC", "Globular Cluster in a Galaxy", 69, 0},       // 3
    {1, "LMCGC", "Globular Cluster in the LMC", 69, 0},        // 4
    {1, "SMCGC", "Globular Cluster in the SMC", 69, 0},        // 5
    {1, "OPNCL", "Open Cluster", 29, 0},                       // 6
    {1, "LMCOC", "Open Cluster in the LMC", 29, 0},            // 7
    {1, "SMCOC", "Open Cluster in the SMC", 29, 0},            // 8
    {4, "CL+NB", "Cluster with Nebulosity", 45, 0},            // 9
    {4, "G+C+N", "Cluster with Nebulosity in a Galaxy", 0, 0}, // 10
    {1, "LMCCN", "Cluster with Nebulosity in the LMC", 0, 0},  // 11
    {1, "SMCCN", "Cluster with Nebulosity in the SMC", 0, 0},  // 12
    {9, "COMET", "Comet&Asteroid", 0, 0},                      // 13
    {8, "CONST", "Constellation", 0, 0},                       // 14
    {10, "SATEL", "Earth Satellite", 0, 0},                    // 15
    {3, "GALXY", "Galaxy", 33, 0},                             // 16
    {3, "GALCL", "Galaxy Cluster", 51, 0},                     // 17
    {9, "MINOR", "Minor Planet/Asteroid", 0, 0},               // 18
    {4, "NEBUL", "Nebula", 0, 0},                              // 19
    {4, "BRTNB", "Bright Nebula", 0, 0},                       // 20
    {4, "DRKNB", "Dark Nebula", 0, 0},                         // 21
    {4, "GX+DN", "Diffuse Nebula in a Galaxy", 0, 0},          // 22
    {4, "LMCDN", "Diffuse Nebula in the LMC", 0, 0},           // 23
    {4, "SMCDN", "Diffuse Nebula in the SMC", 0, 0},           // 24
    {4, "PLNNB", "Planetary Nebula", 0, 0},                    // 25
    {0, "NONEX", "Nonexistent in RNGC", 93, 0},                // 26
    {7, "PLANET", "Planet", 0, 0},                             // 27
    {0, "PLSAR", "Pulsar", 0, 0},                              // 28
    {0, "METEOR", "Meteor Showers", 0, 0},                     // 29
    {5, "1STAR", "Star", 0, 0},                                // 30
    {6, "2STAR", "Stars (Double)", 40, 0},                     // 31
    {6, "3STAR", "Stars (Triple)", 0, 0},                      // 32
    {6, "4STAR", "Stars (Quadruple)", 0, 0},                   // 33
    {6, "5STAR", "Stars (Five)", 0, 0},                        // 34
    {6, "6STAR", "Stars (Six)", 0, 0},                         // 35
    {6, "7STAR", "Stars (Seven)", 0, 0},                       // 36
    {6, "8STAR", "Stars (Eight)", 0, 0},                       // 37
    {5, "VSTAR", "Star Variable", 0, 0},                       // 38
    {2, "SNREM", "Supernova Remnant", 0, 0},                   // 39
    {0, "UVSOB", "Unverified Southern Object", 0, 0},          // 40
    {0, "XRAYS", "Xray Source", 0, 0},                         // 41
};

// Row 88 (Vulpecula) is the area-weighted centre of the constellation's region in
// the boundaries of Roman (1987), precessed to J2000.0; computed by
// scripts/tables/vulpecula_label.py.
const ConstellationRow constellationTable[kConstellationCount] = {
    {"And", "Andromeda", 564, 3925},  // 0
    {"Ant", "Antlia", 10118, -3365},  // 1
    {"Aps", "Apus", 16134, -7641},  // 2
    {"Aql", "Aquila", 19690, 337},  // 3
    {"Aqr", "Aquarius", 22697, -1053},  // 4
    {"Ari", "Aries", 2676, 2257},  // 5
    {"Ara", "Ara", 17231, -5189},  // 6
    {"Aur", "Auriga", 5947, 4281},  // 7
    {"Boo", "Bootes", 14687, 3233},  // 8
    {"Cae", "Caelum", 4721, -3883},  // 9
    {"Cam", "Camelopardalis", 6151, 7196},  // 10
    {"Cnc", "Cancer", 8497, 2356},  // 11
    {"Cap", "Capricornus", 21048, -1965},  // 12
    {"Car", "Carina", 7761, -5717},  // 13
    {"Cas", "Cassiopeia", 870, 6030},  // 14
    {"Cen", "Centaurus", 12950, -4400},  // 15
    {"Cep", "Cepheus", 23417, 7256},  // 16
    {"Cet", "Cetus", 1709, -664},  // 17
    {"Cha", "Chamaeleon", 12000, -8199},  // 18
    {"Cir", "Circinus", 14527, -6770},  // 19
    {"CMa", "Canis Major", 6830, -2269},  // 20
    {"CMi", "Canis Minor", 7324, 576},  // 21
    {"Cnc", "Cancer", 8497, 2356},  // 22
    {"Col", "Columba", 5705, -3708},  // 23
    {"Com", "Coma Berenices", 12748, 2265},  // 24
    {"CrA", "Corona Australis", 18655, -4125},  // 25
    {"CrB", "Corona Borealis", 15880, 3263},  // 26
    {"Crt", "Crater", 11348, -1325},  // 27
    {"Cru", "Crux", 12481, -6070},  // 28
    {"Crv", "Corvus", 12387, -1836},  // 29
    {"CVn", "Canes Venatici", 13020, 4435},  // 30
    {"Cyg", "Cygnus", 20598, 4958},  // 31
    {"Del", "Delphinus", 20663, 1210},  // 32
    {"Dor", "Dorado", 5333, -6399},  // 33
    {"Dra", "Draco", 17945, 6606},  // 34
    {"Equ", "Equuleus", 21251, 794},  // 35
    {"Eri", "Eridanus", 3876, -1701},  // 36
    {"For", "Fornax", 2766, -2694},  // 37
    {"Gem", "Gemini", 6848, 2482},  // 38
    {"Gru", "Grus", 22457, -4586},  // 39
    {"Her", "Hercules", 17425, 3123},  // 40
    {"Hor", "Horologium", 3212, -5200},  // 41
    {"Hya", "Hydra", 9136, -1132},  // 42
    {"Hyi", "Hydrus", 2589, -7208},  // 43
    {"Ind", "Indus", 21138, -5268},  // 44
    {"Lac", "Lacerta", 22514, 4467},  // 45
    {"Leo", "Leo", 10000, 700},  // 46
    {"Lep", "Lepus", 5436, -1935},  // 47
    {"Lib", "Libra", 15187, -1545},  // 48
    {"LMi", "Leo Minor", 10316, 3324},  // 49
    {"Lup", "Lupus", 15376, -4228},  // 50
    {"Lyn", "Lynx", 7734, 4783},  // 51
    {"Lyr", "Lyra", 18608, 3565},  // 52
    {"Men", "Mensa", 5500, -7999},  // 53
    {"Mic", "Microscopium", 20942, -3620},  // 54
    {"Mon", "Monoceros", 6962, -374},  // 55
    {"Mus", "Musca", 12460, -6987},  // 56
    {"Nor", "Norma", 16042, -5229},  // 57
    {"Oct", "Octans", 22173, -8473},  // 58
    {"Oph", "Ophiuchus", 17037, -265},  // 59
    {"Ori", "Orion", 5566, 359},  // 60
    {"Pav", "Pavo", 19160, -6514},  // 61
    {"Peg", "Pegasus", 22617, 1965},  // 62
    {"Per", "Perseus", 3514, 4489},  // 63
    {"Phe", "Phoenix", 732, -4823},  // 64
    {"Pic", "Pictor", 5381, -5163},  // 65
    {"PsA", "Piscis Austrinus", 22410, -3143},  // 66
    {"Psc", "Pisces", 891, 1548},  // 67
    {"Pup", "Puppis", 7873, -3239},  // 68
    {"Pyx", "Pyxis", 8891, -2921},  // 69
    {"Ret", "Reticulum", 3899, -6049},  // 70
    {"Scl", "Sculptor", 1000, -3849},  // 71
    {"Sco", "Scorpius", 16865, -3567},  // 72
    {"Sct", "Scutum", 18651, -1011},  // 73
    {"Ser", "Serpens", 15931, 1085},  // 74
    {"Sex", "Sextans", 10102, -187},  // 75
    {"Sge", "Sagitta", 19667, 1700},  // 76
    {"Sgr", "Sagittarius", 19385, -2911},  // 77
    {"Tau", "Taurus", 4095, 1734},  // 78
    {"Tel", "Telescopium", 19244, -5154},  // 79
    {"TrA", "Triangulum Australe", 16124, -6590},  // 80
    {"Tri", "Triangulum", 2043, 3234},  // 81
    {"Tuc", "Tucana", 23828, -6406},  // 82
    {"UMa", "Ursa Major", 10263, 5748},  // 83
    {"UMi", "Ursa Minor", 14974, 8204},  // 84
    {"Vel", "Vela", 9337, -4851},  // 85
    {"Vir", "Virgo", 13343, -349},  // 86
    {"Vol", "Volans", 7659, -6939},  // 87
    {"Vul", "Vulpecula", 20284, 2486},  // 88
};

int FindDesignationOfPrefix(const char* prefix) {
    for (int id = 0; id < kDesignationCount; ++id)
        if (std::strcmp(designationTable[id].prefix, prefix) == 0) return id;
    return -1;
}

namespace {

// The designation id of a typed prefix: the row of that prefix exactly, else
// the row whose prefix it is but for the case of its letters ("ngc"); no two
// prefixes differ only in case. -1 when none is.
int FindDesignationOfTypedPrefix(const std::string& prefix) {
    const int id = FindDesignationOfPrefix(prefix.c_str());
    if (id >= 0) return id;
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (int row = 0; row < kDesignationCount; ++row) {
        const std::string_view p = designationTable[row].prefix;
        if (p.size() == prefix.size() && std::equal(p.begin(), p.end(), prefix.begin(), sameLetter)) return row;
    }
    return -1;
}

}  // namespace

bool ReadDesignationText(const char* text, int* designation, int32_t* number) {
    const char* const blanks = " \t";
    std::string s(text);
    s.erase(0, std::min(s.find_first_not_of(blanks), s.size()));
    s.erase(s.find_last_not_of(blanks) + 1);
    const std::size_t digits = s.find_last_not_of("0123456789") + 1;  // where the closing digits begin
    for (std::size_t start = digits; start < s.size(); ++start) {
        std::string prefix = s.substr(0, start);
        prefix.erase(prefix.find_last_not_of(blanks) + 1);
        const int id = prefix.empty() ? -1 : FindDesignationOfTypedPrefix(prefix);
        bool fits = true;
        const int32_t n = ParseInt(s.c_str() + start, &fits);
        if (id < 0 || !fits) continue;
        *designation = id;
        *number = n;
        return true;
    }
    return false;
}

const char* DesignationPrefix(int id) {
    return id >= 0 && id < kDesignationCount ? designationTable[id].prefix : "";
}

const char* DesignationLongName(int id) {
    return id >= 0 && id < kDesignationCount ? designationTable[id].longName : "";
}

const char* ObjectTypeName(int type) { return type >= 0 && type < kObjectTypeCount ? objectTypeTable[type].name : ""; }

const char* ConstellationAbbreviation(int index) {
    return index >= 0 && index < kConstellationCount ? constellationTable[index].abbreviation : "";
}

const char* ConstellationName(int index) {
    return index >= 0 && index < kConstellationCount ? constellationTable[index].name : "";
}

namespace {

void SaveFullRanges() {
    if (fullRangesSaved) return;
    for (int i = 0; i < kDesignationCount; ++i) fullRanges[i] = {designationTable[i].first, designationTable[i].last};
    fullRangesSaved = true;
}

}  // namespace

DesignationRow BuiltInDesignation(int id) {
    SaveFullRanges();
    DesignationRow row = designationTable[id];
    row.first = fullRanges[id].first;
    row.last = fullRanges[id].last;
    return row;
}

void UseObjectFileRanges(bool fullCatalogue) {
    SaveFullRanges();
    ++designationRangeChanges;
    for (int i = 0; i < kDesignationCount; ++i) {
        designationTable[i].first = fullCatalogue ? fullRanges[i].first : kNoDesignationRecords;
        designationTable[i].last = fullCatalogue ? fullRanges[i].last : 0;
    }
    if (fullCatalogue) return;
    designationTable[kDesignationIc].first = 0;
    designationTable[kDesignationIc].last = 72;
    designationTable[kDesignationNgc].first = 72;
    designationTable[kDesignationNgc].last = 1126;
}
