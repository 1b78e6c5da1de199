#include "convert/convert.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "catalog/record_writer.h"
#include "convert/deep_sky_sources.h"
#include "convert/object_files.h"
#include "convert/small_files.h"
#include "convert/source_files.h"
#include "convert/star_files.h"

namespace convert {
namespace {

using record_writer::Bytes;

constexpr uint32_t kObjectVersion = 26;
constexpr uint32_t kMoonVersion = 24;
constexpr uint32_t kOtherVersion = 1;

// Source files inside the source folder: package folder, then the path the
// package installs the file at.
constexpr char kBsc[] = "xplanet/usr/share/xplanet/stars/BSC";
constexpr char kMoonMarkers[] = "xplanet/usr/share/xplanet/markers/moon";
constexpr char kMarsMarkers[] = "xplanet/usr/share/xplanet/markers/mars";
constexpr char kOpenNgc[] = "kstars-data/usr/share/kstars/OpenNGC.kscat";
constexpr char kCities[] = "kstars-data/usr/share/kstars/citydb.sqlite";
constexpr char kMpcComets[] = "kstars-data/usr/share/kstars/cometels.json.gz";
constexpr char kJplMinorPlanets[] = "kstars-data/usr/share/kstars/asteroids.dat";
constexpr char kStellarium[] = "stellarium-data/usr/share/stellarium/";
constexpr const char* kStarLevels[] = {"stars/default/stars_0_0v0_8.cat", "stars/default/stars_1_0v0_8.cat",
                                       "stars/default/stars_2_0v0_8.cat"};
constexpr char kCrossId[] = "stars/default/cross-id.dat";
constexpr char kDsoCatalog[] = "nebulae/default/catalog.dat";
constexpr char kDsoNames[] = "nebulae/default/names.dat";
constexpr char kNomenclature[] = "data/nomenclature.dat";
constexpr char kClassicFigures[] = "skycultures/western/constellationship.fab";
constexpr char kReyFigures[] = "skycultures/western_rey/constellationship.fab";

struct MadeFile {
    std::string name;
    uint32_t version;
    uint32_t recordSize;
    std::vector<Bytes> records;
};

class Sources {
public:
    explicit Sources(const std::string& folder) : folder_(folder) {}
    std::string Path(const std::string& relative) const { return folder_ + "/" + relative; }
    std::string Stellarium(const std::string& relative) const { return Path(kStellarium + relative); }
    std::string Read(const std::string& relative) const { return ReadFile(Path(relative)); }
    std::string ReadStellarium(const std::string& relative) const { return ReadGzipFile(Stellarium(relative)); }
    std::string Version(const std::string& package) const {
        std::ifstream in(Path(package + "/VERSION"));
        std::string v;
        std::getline(in, v);
        return v.empty() ? "version unknown" : v;
    }

private:
    std::string folder_;
};

StarSources ReadStarSources(const Sources& s) {
    StarSources stars;
    stars.bsc = ParseBsc(s.Read(kBsc), kBsc);
    for (const char* level : kStarLevels) {
        std::vector<HipStar> part = ParseStellariumStars(s.ReadStellarium(level), s.Stellarium(level));
        stars.hip.insert(stars.hip.end(), part.begin(), part.end());
    }
    std::string crossId = s.ReadStellarium(kCrossId);
    stars.hipToHr = ParseCrossIdHipToHr(crossId);
    stars.hrToHip = ParseCrossIdHrToHip(crossId);
    stars.classicFigures = ParseFigures(s.ReadStellarium(kClassicFigures), s.Stellarium(kClassicFigures));
    stars.reyFigures = ParseFigures(s.ReadStellarium(kReyFigures), s.Stellarium(kReyFigures));
    return stars;
}

DeepSkySources ReadDeepSkySources(const Sources& s) {
    DeepSkySources d;
    d.dso = ParseDsoCatalog(s.ReadStellarium(kDsoCatalog), s.Stellarium(kDsoCatalog));
    d.names = ParseDsoNames(s.ReadStellarium(kDsoNames), d.dso);
    d.openNgc = ReadOpenNgc(s.Path(kOpenNgc));
    return d;
}

std::vector<MadeFile> MakeFiles(const Sources& s) {
    StarFiles stars = BuildStarFiles(ReadStarSources(s));
    ObjectFiles objects = BuildObjectFiles(ReadDeepSkySources(s), stars.starNames);
    auto objectBytes = [](const std::vector<ObjectRecord>& records) {
        std::vector<Bytes> out;
        for (const ObjectRecord& o : records) out.push_back(record_writer::ObjectBytes(o));
        return out;
    };
    std::vector<Feature> features = ParseNomenclature(s.ReadStellarium(kNomenclature), s.Stellarium(kNomenclature));
    std::vector<MadeFile> files = {
        {"zendavori_obj_18k.ppc", kObjectVersion, 64, objectBytes(objects.full)},
        {"zendavori_obj_1k.ppc", kObjectVersion, 64, objectBytes(objects.small)},
        {"zendavori_obj_18k_idx.ppc", kOtherVersion, 300, objects.fullIndex},
        {"zendavori_obj_1k_idx.ppc", kOtherVersion, 300, objects.smallIndex},
        {"zendavori_obj_cross_ref.ppc", kOtherVersion, 56, objects.crossRefs},
        {"zendavori_default_stars.ppc", kOtherVersion, 44, stars.defaultStars},
        {"zendavori_brightstar.ppc", kOtherVersion, 20, stars.brightNames},
        {"zendavori_constellation.ppc", kOtherVersion, 8, stars.figureLines}};
    for (StellarFile& f : stars.stellar) files.push_back({f.name, kOtherVersion, 504, std::move(f.records)});
    for (StellarFile& f : stars.indexes) files.push_back({f.name, kOtherVersion, 84, std::move(f.records)});
    files.push_back({"zendavori_moon.ppc", kMoonVersion, 44,
                     BuildMoonFile(features, ParseMarkers(s.Read(kMoonMarkers), kMoonMarkers))});
    files.push_back({"zendavori_mars.ppc", kOtherVersion, 36,
                     BuildMarsFile(features, ParseMarkers(s.Read(kMarsMarkers), kMarsMarkers))});
    files.push_back({"zendavori_comet.ppc", kOtherVersion, 128,
                     BuildCometFile(ReadGzipFile(s.Path(kMpcComets)), s.Read(kJplMinorPlanets), kJplMinorPlanets)});
    files.push_back({"zendavori_location.ppc", kOtherVersion, 64, BuildLocationFile(s.Path(kCities))});
    return files;
}

std::string Credits(const Sources& s) {
    return "The catalogue files in this folder were made on this computer by zendavori-convert from data\n"
           "of Debian packages (downloaded, unpacked into the source cache, never installed):\n\n"
           "- xplanet " + s.Version("xplanet") + " (GPL-2+): the Bright Star Catalogue, 5th Revised Ed.\n"
           "  (Hoffleit & Warren, via VizieR), and the Moon and Mars landing-site markers.\n"
           "- kstars-data " + s.Version("kstars-data") + " (GPL-2+): OpenNGC by Mattia Verga (CC BY-SA 4.0),\n"
           "  the KStars city database, comet elements of the Minor Planet Center and minor-planet\n"
           "  elements of the NASA/JPL Small-Body Database.\n"
           "- stellarium-data " + s.Version("stellarium-data") + " (GPL-2+): Hipparcos star data (ESA 1997,\n"
           "  SP-1200) as repacked by Stellarium, its HIP/SAO/HD/HR cross identifications, its deep-sky\n"
           "  catalogue and names, planetary feature names from the USGS Gazetteer of Planetary\n"
           "  Nomenclature, and the constellation figures of the western sky cultures (western:\n"
           "  CC BY-SA 4.0 + Free Art License; western_rey: CC BY-SA 4.0).\n"
           "- Star names: IAU Catalog of Star Names, IAU Working Group on Star Names (CC BY).\n\n"
           "Changes made: records selected, converted and packed into this program's record format;\n"
           "texts turned into Windows-1252 (Greek letters spelled out, accents dropped where the code page\n"
           "lacks the letter). Material under CC BY-SA 4.0 keeps that licence when passed on.\n";
}

void WriteByRename(const std::filesystem::path& target, const std::string& bytes) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw SourceError(target.string() + ": cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) throw SourceError(target.string() + ": cannot be written (" + error.message() + ")");
}

}  // namespace

const std::vector<std::string>& MadeFileNames() {
    static const std::vector<std::string> names = {
        "zendavori_obj_18k.ppc",     "zendavori_obj_1k.ppc",       "zendavori_obj_18k_idx.ppc",
        "zendavori_obj_1k_idx.ppc",  "zendavori_obj_cross_ref.ppc", "zendavori_default_stars.ppc",
        "zendavori_brightstar.ppc",  "zendavori_constellation.ppc", "zendavori_hr.ppc",
        "zendavori_hip_16k.ppc",     "zendavori_hip_32k.ppc",       "zendavori_hip_64k.ppc",
        "zendavori_hip_110k.ppc",    "zendavori_hr_idx.ppc",        "zendavori_hip_110k_idx.ppc",
        "zendavori_moon.ppc",        "zendavori_mars.ppc",          "zendavori_comet.ppc",
        "zendavori_location.ppc"};
    return names;
}

void ConvertCatalogues(const std::string& sources, const std::string& data, const std::set<std::string>& keep) {
    Sources s(sources);
    std::vector<MadeFile> files = MakeFiles(s);
    std::error_code error;
    std::filesystem::create_directories(data, error);
    for (const MadeFile& f : files) {
        if (keep.count(f.name)) continue;
        Bytes bytes = record_writer::RecordDbBytes(f.version, f.recordSize, f.records);
        WriteByRename(std::filesystem::path(data) / f.name, std::string(bytes.begin(), bytes.end()));
    }
    WriteByRename(std::filesystem::path(data) / "SOURCES.txt", Credits(s));
}

}  // namespace convert
