#include "convert/convert.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "catalog/record_writer.h"
#include "convert/deep_sky_sources.h"
#include "convert/object_files.h"
#include "convert/picture_files.h"
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
constexpr char kPictureFolder[] = "nebulae/default/";
constexpr char kPictureCredits[] = "nebulae/default/textures.json";
constexpr int kPictureLongSide = 1024;

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

// The pictures of the package's nebulae/default folder, planned.
std::vector<PicturePlan> PlanSourcePictures(const Sources& s) {
    const std::string folder = s.Stellarium(kPictureFolder);
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".png") files.push_back(it->path().filename().string());
    if (error) throw SourceError(folder + ": cannot be read");
    const std::string credits = s.Stellarium(kPictureCredits);
    return PlanPictures(files, ParsePictureCredits(ReadFile(credits), credits));
}

struct MadePicture {
    PicturePlan plan;
    std::string jpeg;
};

std::vector<MadePicture> MakePictures(const Sources& s) {
    std::vector<MadePicture> made;
    for (PicturePlan& plan : PlanSourcePictures(s)) {
        const std::string path = s.Stellarium(kPictureFolder + plan.file);
        RgbPicture picture = ShrinkPicture(DecodePng(ReadFile(path), path), kPictureLongSide);
        std::string jpeg = EncodePictureJpeg(picture, "stellarium-data " + std::string(kPictureFolder) + plan.file);
        made.push_back({std::move(plan), std::move(jpeg)});
    }
    return made;
}

// Licences of pictures by a credited author that the package's copyright file
// names; every other picture is under its "Files: *" licence.
struct AuthorLicence {
    const char* author;
    const char* licence;
};
constexpr AuthorLicence kPictureLicences[] = {
    {"Grasslands Observatory", "free use, changes and copies when credited"},
    {"Herm Perez", "free use, credited in commercial use"},
    {"Oleg Bryzgalov", "CC BY 3.0"},
    {"Kuznetsov", "CC BY 3.0"},
    {"Georg Zotti", "CC BY 3.0"}};

std::string PictureLicence(const std::string& credit) {
    for (const AuthorLicence& a : kPictureLicences)
        if (credit.find(a.author) != std::string::npos) return a.licence;
    return "GPL-2+";
}

std::string PictureCredits(const Sources& s, const std::vector<std::string>& lines) {
    std::string text =
        "\nThe deep-sky pictures in img/ were made by zendavori-convert from the PNG pictures of\n"
        "nebulae/default/ in stellarium-data " + s.Version("stellarium-data") + " (Debian main): turned into JPEG,\n"
        "at most 1024 pixels on the long side. The package's copyright file\n"
        "(/usr/share/doc/stellarium-data/copyright) gives them under the GNU GPL version 2 or later\n"
        "(its \"Files: *\" stanza), but for the authors it names with other terms: the Grasslands\n"
        "Observatory (Tim Hunter and James McGaha; free use, changes and copies when credited), Herm\n"
        "Perez (free use; credited in commercial use), and Oleg Bryzgalov, Andrey Kuznetsov and Georg\n"
        "Zotti (CC BY 3.0). Each picture with the credit of the package's textures.json and its licence:\n\n";
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// True when `target` is a JPEG the converter did not make: the user's own.
bool UsersOwnPicture(const std::filesystem::path& target) {
    std::ifstream in(target, std::ios::binary);
    if (!in) return false;
    std::string head(512, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return !MadeByConverter(head.substr(0, static_cast<std::size_t>(in.gcount())));
}

// Puts `bytes` at `target` by rename: as a hard link to `linkTo` when one is
// given and the file system allows it (one object's names share the disk
// space), else as a file of its own.
void PlacePicture(const std::filesystem::path& target, const std::string& bytes, const std::filesystem::path& linkTo) {
    if (!linkTo.empty()) {
        std::filesystem::path temporary = target;
        temporary += ".tmp";
        std::error_code error;
        std::filesystem::remove(temporary, error);
        std::filesystem::create_hard_link(linkTo, temporary, error);
        if (!error) std::filesystem::rename(temporary, target, error);
        if (!error) return;
        std::filesystem::remove(temporary, error);
    }
    WriteByRename(target, bytes);
}

// Writes each picture under its paths below `home`, but where a JPEG the
// converter did not make (the user's own) is; the credit lines of what was written.
std::vector<std::string> WritePictures(const std::string& home, const std::vector<MadePicture>& made) {
    std::vector<std::string> lines;
    for (const MadePicture& m : made) {
        std::string written;
        std::filesystem::path first;
        for (const std::string& path : m.plan.paths) {
            std::filesystem::path target = std::filesystem::path(home) / path;
            std::error_code error;
            std::filesystem::create_directories(target.parent_path(), error);
            if (UsersOwnPicture(target)) continue;
            PlacePicture(target, m.jpeg, first);
            if (first.empty()) first = target;
            written += (written.empty() ? "" : ", ") + path;
        }
        if (!written.empty()) lines.push_back(written + ": " + m.plan.credit + " (" + PictureLicence(m.plan.credit) + ")");
    }
    return lines;
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

std::vector<std::string> PicturePaths(const std::string& sources) {
    std::vector<std::string> paths;
    for (const PicturePlan& plan : PlanSourcePictures(Sources(sources)))
        paths.insert(paths.end(), plan.paths.begin(), plan.paths.end());
    return paths;
}

void ConvertCatalogues(const std::string& sources, const std::string& data, const std::set<std::string>& keep,
                       const std::string& home) {
    Sources s(sources);
    std::vector<MadeFile> files = MakeFiles(s);
    std::vector<MadePicture> pictures;
    if (!home.empty()) pictures = MakePictures(s);
    std::error_code error;
    std::filesystem::create_directories(data, error);
    for (const MadeFile& f : files) {
        if (keep.count(f.name)) continue;
        Bytes bytes = record_writer::RecordDbBytes(f.version, f.recordSize, f.records);
        WriteByRename(std::filesystem::path(data) / f.name, std::string(bytes.begin(), bytes.end()));
    }
    std::string credits = Credits(s);
    if (!home.empty()) credits += PictureCredits(s, WritePictures(home, pictures));
    WriteByRename(std::filesystem::path(data) / "SOURCES.txt", credits);
}

}  // namespace convert
