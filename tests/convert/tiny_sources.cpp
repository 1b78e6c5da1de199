#include "convert/tiny_sources.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

#include <png.h>
#include <sqlite3.h>
#include <zlib.h>

namespace tiny {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char kStellarium[] = "stellarium-data/usr/share/stellarium/";

// Big-endian Qt data stream, as Stellarium's deep-sky catalogue is written.
class QtWriter {
public:
    QtWriter& U32(uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) bytes += static_cast<char>(v >> s);
        return *this;
    }
    QtWriter& Double(double d) {
        uint64_t v;
        std::memcpy(&v, &d, sizeof v);
        for (int s = 56; s >= 0; s -= 8) bytes += static_cast<char>(v >> s);
        return *this;
    }
    QtWriter& String(const std::string& ascii) {
        U32(static_cast<uint32_t>(2 * ascii.size()));
        for (char c : ascii) bytes += {'\0', c};
        return *this;
    }
    std::string bytes;
};

// One catalog.dat object: the fields the converter reads, numbers by column.
struct Dso {
    uint32_t id;
    double raHours, decDegrees, bmag, vmag;
    uint32_t type;
    std::string morphology;
    double major, minor;
    int32_t orientation;
    double distanceKpc;
    std::map<int, uint32_t> numbers;     // numeric columns
    std::map<int, std::string> texts;    // text columns (Ced 14, ACO 20, ...)
};

void WriteDso(QtWriter& w, const Dso& d) {
    w.U32(d.id).Double(d.raHours * kPi / 12).Double(d.decDegrees * kPi / 180).Double(d.bmag).Double(d.vmag);
    w.U32(d.type).String(d.morphology).Double(d.major).Double(d.minor).U32(static_cast<uint32_t>(d.orientation));
    for (int i = 0; i < 6; ++i) w.Double(i == 4 ? d.distanceKpc : 0.0);
    for (int c = 0; c < 29; ++c) {
        bool text = c == 14 || (c >= 17 && c <= 23);
        if (text) w.String(d.texts.count(c) ? d.texts.at(c) : "");
        else w.U32(d.numbers.count(c) ? d.numbers.at(c) : 0);
    }
}

std::string Le32(uint32_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)}; }

// A Stellarium Hipparcos star record (28 bytes) at the centre of its zone;
// component 1 is A.
std::string HipRecord(int hip, int magnitudeStep, int bv, int component = 0) {
    std::string r = Le32(static_cast<uint32_t>(hip)).substr(0, 3) + static_cast<char>(component);
    r += Le32(0) + Le32(0);
    r += {static_cast<char>(bv), static_cast<char>(magnitudeStep)};
    return r + std::string(14, '\0');
}

// A star catalogue of one level: magnitudes from -2.000 in 256 steps over 12.8.
std::string StarCatalogue(int level, const std::map<int, std::vector<std::string>>& zones) {
    std::string b = Le32(0x835F040Au) + Le32(0) + Le32(0) + Le32(8) + Le32(static_cast<uint32_t>(level));
    b += Le32(static_cast<uint32_t>(-2000)) + Le32(12800) + Le32(256);
    int count = 20 << (2 * level);
    for (int z = 0; z < count; ++z) b += Le32(zones.count(z) ? static_cast<uint32_t>(zones.at(z).size()) : 0);
    for (const auto& [zone, records] : zones)
        for (const std::string& r : records) b += r;
    return b;
}

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "sqlite error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

void WriteDatabase(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot make " + path);
    Exec(db, "BEGIN;" + sql + "COMMIT;");
    sqlite3_close(db);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return line;
}

std::string BscLines() {
    std::string text = "# From the Bright Star Catalogue, 5th Revised Ed.\n";
    const std::map<int, std::string> known = {
        {424, "89.2642  2.5302  2.02 \"  1Alp UMi\"  424   8890    308"},
        {2491, "-16.7161  6.7525 -1.46 \"  9Alp CMa\" 2491  48915 151881"},
        {7001, "38.7836 18.6156  0.03 \"  3Alp Lyr\" 7001 172167  67174"}};
    for (int hr = 1; hr <= kHrCount; ++hr) {
        if (hr == kMissingHr[0] || hr == kMissingHr[1] || hr == kMissingHr[2]) continue;
        if (known.count(hr)) {
            text += known.at(hr) + "\n";
            continue;
        }
        text += Format("%8.4f %7.4f %5.2f \"          \" %d %d %d\n", -60.0 + (hr * 7 % 120) + 0.1234,
                       (hr * 13 % 240) / 10.0 + 0.0123, 3.0 + (hr % 400) / 100.0, hr, 100000 + hr, hr);
    }
    return text;
}

// A PNG of `width` x `height` pixels of one value in libpng's `format`.
std::string Png(int width, int height, png_uint_32 format, const std::vector<unsigned char>& pixel) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), pixel.begin(), pixel.end());
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot make a PNG");
    bytes.resize(size);
    return bytes;
}

}  // namespace

SourceFolder::SourceFolder() {
    char pattern[] = "/tmp/zendavori-sources-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    WriteStars();
    WriteDeepSky();
    WriteSmallSources();
    WritePictures();
    for (const char* notice : {"xplanet/usr/share/doc/xplanet/copyright", "kstars-data/usr/share/doc/kstars-data/copyright",
                               "stellarium-data/usr/share/doc/stellarium-data/copyright",
                               "stellarium-data/usr/share/stellarium/skycultures/western/info.ini",
                               "stellarium-data/usr/share/stellarium/skycultures/western_rey/info.ini"})
        Write(notice, "kept, not read\n");
    Write("xplanet/VERSION", "1.3.1-3+b1\n");
    Write("kstars-data/VERSION", "5:3.6.2-2\n");
    Write("stellarium-data/VERSION", "0.22.2-1\n");
}

SourceFolder::~SourceFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void SourceFolder::Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path path = Path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void SourceFolder::WriteGzip(const std::string& relative, const std::string& bytes) const {
    Write(relative, "");
    gzFile gz = gzopen(Path(relative).c_str(), "wb");
    if (!gz) throw std::runtime_error("cannot write " + relative);
    gzwrite(gz, bytes.data(), static_cast<unsigned>(bytes.size()));
    gzclose(gz);
}

void SourceFolder::WriteStars() const {
    Write("xplanet/usr/share/xplanet/stars/BSC", BscLines());
    std::string s = kStellarium;
    Write(s + "stars/default/stars_0_0v0_8.cat",
          StarCatalogue(0, {{0, {HipRecord(kHipSirius, 10, 16), HipRecord(kHipPolaris, 70, 35), HipRecord(0, 80, 0),
                                 HipRecord(kHipDouble, 90, 54, 1), HipRecord(kHipDouble, 100, 40, 2)}}}));
    Write(s + "stars/default/stars_1_0v0_8.cat", StarCatalogue(1, {{5, {HipRecord(kHipPolaris, 120, 35)}}}));
    Write(s + "stars/default/stars_2_0v0_8.cat", StarCatalogue(2, {}));
    Write(s + "stars/default/cross-id.dat",
          "# HIP\t\tSAO\tHD\tHR\n11767\t\t308\t8890\t424\n11768\tB\t\t\t424\n20000\tA\t81298\t89484\t4057\n"
          "20000\tB\t81299\t89485\t4058\n32349\t\t151881\t48915\t2491\n");
    Write(s + "skycultures/western/constellationship.fab", "CMa 2 32349 11767 11767 11768\n");
    Write(s + "skycultures/western_rey/constellationship.fab",
          "UMi 2 11767 32349 32349 11767\n.UMig 1 11767 32349\n");
}

void SourceFolder::WriteDeepSky() const {
    QtWriter w;
    w.String("3.16").String("standard");
    const Dso objects[] = {
        {255, 0.7123, 41.2687, 4.36, 3.40, 0, "SA(s)b", 3.1517, 1.0283, 45, 778, {{0, 224}, {2, 31}, {13, 454}}, {}},
        {2, 3.7833, 24.117, 99, 1.2, 6, "I3rn", 1.8333, 1.8333, 90, 0.1362, {{2, 45}, {10, 42}, {11, 22}}, {}},
        {3, 22.3, 58.0, 99, 7.7, 15, "", 0.8, 0.5, 0, 0, {{3, 9}, {5, 155}}, {}},
        {4, 4.45, 15.87, 99, 0.5, 6, "", 5.5, 5.5, 0, 0.047, {{3, 41}, {11, 25}}, {}},
        {6, 12.85, -62.5, 99, 99, 12, "", 7.1, 5.0, 0, 0.18, {{3, 99}}, {}},
        {10, 3.3, 41.5, 12.5, 99, 33, "", 0.5, 0.5, 0, 0, {}, {{20, "426"}}},
        {11, 3.5, -40.0, 12.0, 99, 33, "", 0.5, 0.5, 0, 0, {}, {{20, "S373"}}},
        {12, 5.6, -5.4, 99, 9.0, 13, "", 0.1, 0.1, 0, 0, {}, {{14, "55d"}}},
        {13, 5.7, -5.5, 99, 8.0, 13, "", 0.1, 0.1, 0, 0, {}, {{14, "55a"}}},
        {14, 0.1, 27.7, 99, 12.0, 0, "Sc?", 2.0, 1.0, 20, 0, {{0, 7}}, {}},
        // Winnecke 4 (M40), as catalog.dat lists it.
        {1, 12.3701, 58.083, 99, 9.65, 28, "", 0, 0, 0, 0, {{2, 40}}, {}},
        // Namesakes of NGC 1201 (1 degree north of OpenNGC's place), 1202 (1' north), 1203
        // (V 24.9) and 1204 (an open cluster where OpenNGC has a globular cluster).
        {20, 10.0, 21.0, 99, 9.0, 6, "", 0.5, 0.5, 0, 0, {{0, 1201}}, {}},
        {21, 151.0 / 15, 20.0 + 1 / 60.0, 99, 12.0, 0, "Sc", 1.0, 0.5, 0, 20, {{0, 1202}}, {}},
        {22, 152.0 / 15, 20.0, 99, 24.9, 0, "", 1.0, 0.5, 0, 0, {{0, 1203}}, {}},
        {23, 153.0 / 15, 20.0, 99, 11.0, 6, "", 1.0, 1.0, 0, 0, {{0, 1204}}, {}},
        // One object numbered NGC 1205 and IC 101.
        {24, kNgc1205RaHours, kNgc1205Dec, 99, 9.3, 13, "", 0.05, 0.05, 0, 0, {{0, 1205}, {1, 101}}, {}},
        // M8 on an object of its own, C49 on NGC 2238: the keyed NGC 6523 and NGC 2237 lack them.
        {30, 18.0603, -24.378, 99, 6.0, 17, "", 1.5, 1.5, 0, 0, {{2, 8}}, {}},
        {31, 6.508, 5.05, 99, 9.0, 17, "", 1.3, 1.3, 0, 0, {{0, 2238}, {3, 49}}, {}},
        {32, 18.0533, -24.38, 99, 99, 5, "", 1.5, 1.5, 0, 0, {{0, 6523}}, {}}};
    for (const Dso& d : objects) WriteDso(w, d);
    WriteGzip(std::string(kStellarium) + "nebulae/default/catalog.dat", w.bytes);
    Write(std::string(kStellarium) + "nebulae/default/names.dat",
          "# Stellarium DSO Catalog Names\n"
          "NGC  224             _(\"Andromeda Galaxy\") # B500\n"
          "NGC  224             _(\"Andromeda Nebula\")\n"
          "M    45              _(\"Pleiades\") # B500\n"
          "     12              _(\"Cederblad Test\")\n"
          "NGC  1201            _(\"Far Galaxy\")\n"
          "NGC  1202            _(\"Near Galaxy\")\n");
    std::string sql =
        "CREATE TABLE cat (hash BLOB, oid BLOB, type INT, ra REAL, dec REAL, magnitude REAL, name TEXT, long_name TEXT,"
        " catalog_identifier TEXT, major_axis REAL, minor_axis REAL, position_angle REAL);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 10.684791666, 41.269055555, 4.36, 'M 31', 'Andromeda Galaxy',"
        " 'NGC0224', 177.83, 69.66, 35.0);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 11.0, 41.0, 9.0, 'NGC 224A', '', 'NGC0224A', 1, 1, 1);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 1.5, 27.7, NULL, 'NGC 7', '', 'NGC0007', NULL, NULL, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 0, 56.75, 24.1167, 1.6, 'M 45', '', 'M 45', 110, 110, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 150.0, 20.0, 13.0, '', '', 'NGC1201', 1.0, 0.5, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 151.0, 20.0, 13.5, '', '', 'NGC1202', 1.0, 0.5, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 8, 152.0, 20.0, 14.0, '', '', 'NGC1203', 1.0, 0.5, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 4, 153.0, 20.0, 12.0, '', '', 'NGC1204', 1.0, 1.0, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 5, 101.7, 1.3, 9.0, '', '', 'NGC1205', 3.0, 3.0, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 5, 97.65, 4.981, 9.0, '', '', 'NGC2237', 80, 60, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 5, 270.8, -24.38, 5.8, '', '', 'NGC6523', 90, 40, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 255, 0.0, 0.0, NULL, '', '', 'IC0101', NULL, NULL, NULL);"
        "INSERT INTO cat VALUES (NULL, NULL, 255, 0.0, 0.0, NULL, '', '', 'IC0102', NULL, NULL, NULL);";
    for (int n = 1; n <= kOpenNgcNgc + kOpenNgcIc; ++n) {
        bool ic = n > kOpenNgcNgc;
        int number = ic ? n - kOpenNgcNgc : n;
        if (!ic && (number == 224 || number == 7)) continue;
        sql += Format("INSERT INTO cat VALUES (NULL, NULL, 8, %f, %f, %f, '', '', '%s%04d', 2.0, 1.0, %d);",
                      (number * 37 % 3600) / 10.0, -80.0 + number % 160, 10.0 + (number % 50) / 10.0,
                      ic ? "IC" : "NGC", number, number % 360);
    }
    Write("kstars-data/usr/share/kstars/OpenNGC.kscat", "");
    WriteDatabase(Path("kstars-data/usr/share/kstars/OpenNGC.kscat"), sql);
}

void SourceFolder::WriteSmallSources() const {
    Write(std::string(kStellarium) + "data/nomenclature.dat",
          "# Planetary feature names\n"
          "Moon\t1296\t_(\"Copernicus\",\"crater\")\tAA\t9.620900\t339.921400\t96.0699\n"
          "Moon\t3678\tMare Imbrium\tME\t34.7244\t345.0914\t1145.53\n"
          "Moon\t9999\tFar Side Crater\tAA\t0.0\t180.0\t500.0\n"
          "Moon\t9998\tSinus Medii\tSI\t2.4\t1.7\t335.0\n"
          "Moon\t9997\tRima Hyginus\tRI\t7.8\t6.3\t219.0\n"
          "Mars\t4453\tOlympus Mons\tMO\t18.6528\t226.1975\t610.13\n"
          "Mars\t1297\tCopernicus\tAA\t-48.8446\t191.172\t301.831\n"
          "Mars\t1\tValles Marineris\tVA\t-13.9\t300.8\t4000.0\n"
          "Venus\t2\tMaxwell Montes\tMO\t65.2\t3.3\t797.0\n");
    Write("xplanet/usr/share/xplanet/markers/moon", " 0.647  23.505  \"Apollo 11\"\n");
    Write("xplanet/usr/share/xplanet/markers/mars",
          "#Mountains (all 18)\n 18.4 133.1 \"Olympus Mons\" color=Gray\n\n"
          "#Landing Sites \n 22.27     47.97       \"Viking 1 Lander\"\n\n"
          " 90.00    0.00 \"North Pole\"     color=LightBlue # North Pole\n");
    Write("kstars-data/usr/share/kstars/citydb.sqlite", "");
    WriteDatabase(Path("kstars-data/usr/share/kstars/citydb.sqlite"),
                  "CREATE TABLE city (id INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, Province TEXT, Country TEXT,"
                  " Latitude TEXT, Longitude TEXT, TZ REAL, TZRule TEXT, Elevation REAL NOT NULL DEFAULT -10);"
                  "INSERT INTO city VALUES (1725, 'London', '', 'United Kingdom', ' 51° 30'' 00\"', '-0° 07'' 00\"',"
                  " 0.0, 'EU', 4.61);"
                  "INSERT INTO city VALUES (2336, 'Paris', 'Paris', 'France', ' 48° 51'' 00\"', ' 2° 19'' 59\"', 1.0,"
                  " 'EU', 36.56);"
                  "INSERT INTO city VALUES (2959, 'Sydney', 'New South Wales', 'Australia', '-33° 54'' 59\"',"
                  " ' 151° 16'' 59\"', 10.0, 'AU', 0.0);"
                  "INSERT INTO city VALUES (3, 'Altenstadt', 'Bayern', 'Germany', '47.8339', '10.8725', 1.0, 'EU', 0);");
    std::string comets =
        "[{\"Orbit_type\": \"C\", \"Year_of_perihelion\": 1997, \"Month_of_perihelion\": 3, \"Day_of_perihelion\": "
        "29.6466, \"Perihelion_dist\": 0.890662, \"e\": 0.994972, \"Peri\": 130.4139, \"Node\": 282.7613, \"i\": "
        "89.2742, \"Epoch_year\": 2022, \"Epoch_month\": 8, \"Epoch_day\": 24, \"H\": -2.0, \"G\": 4.0, "
        "\"Designation_and_name\": \"C/1995 O1 (Hale-Bopp)\"}]";
    WriteGzip("kstars-data/usr/share/kstars/cometels.json.gz", comets);
    Write("kstars-data/usr/share/kstars/asteroids.dat",
          "{\"signature\":{\"source\":\"NASA/JPL SBDB (Small-Body DataBase) Query API\",\"version\":\"1.0\"},"
          "\"fields\":[\"full_name\",\"H\",\"G\",\"epoch_mjd\",\"e\",\"a\",\"i\",\"om\",\"w\",\"ma\",\"class\"],"
          "\"data\":[[\"     1 Ceres (A801 AA)\",\"3.33\",\"0.12\",\"59800\",\".07863575691875528\",\"2.766619044655007\","
          "\"10.58679512153367\",\"80.2664361119415\",\"73.53162522557164\",\"334.3271698971151\",\"MBA\"],"
          "[\"134340 Pluto (1930 BM)\",\"-0.54\",null,\"59800\",\"0.25\",\"39.59\",\"17.14\",\"110.3\",\"113.7\","
          "\"38.7\",\"TNO\"],"
          "[\"   433 Eros (A898 PA)\",\"10.39\",null,\"59800\",\"0.2229\",\"1.4580\",\"10.83\",\"304.3\",\"178.9\","
          "\"310.6\",\"AMO\"]],\"count\":3}");
}

void SourceFolder::WritePictures() const {
    const std::string folder = std::string(kStellarium) + "nebulae/default/";
    Write(folder + "m31.png", Png(kM31PictureWidth, 20, PNG_FORMAT_RGB, {200, 40, 30}));
    Write(folder + "n7000.png", Png(8, 8, PNG_FORMAT_RGBA, {40, 220, 60, 255}));
    Write(folder + "pleiades.png", Png(4, 4, PNG_FORMAT_GRAY, {150}));
    Write(folder + "ic434.png", Png(4, 2, PNG_FORMAT_GA, {90, 0}));
    Write(folder + "n1.png", Png(2, 2, PNG_FORMAT_GRAY, {99}));
    Write(folder + "barnard22.png", Png(2, 2, PNG_FORMAT_GRAY, {99}));
    // Credits as textures.json gives them: numbers that start with their point,
    // "Short" as well as "short", a comma before a closing bracket; none for n1.png.
    Write(folder + "textures.json",
          "{\"shortName\": \"Nebulae\", \"subTiles\" : [\n"
          "{\"imageCredits\": {\"short\" : \"Tiny Observatory\"}, \"imageUrl\" : \"m31.png\",\n"
          " \"worldCoords\" : [[[10.6, 41.2], [10.7, -.9794]]], \"minResolution\" : .05},\n"
          "{\"imageCredits\" : {\"Short\": \"Oleg Bryzgalov\", \"infoUrl\": \"http://olegbr.example/\"},\n"
          " \"imageUrl\" : \"n7000.png\", \"worldCoords\" : [[[314.7, 44.3],]]},\n"
          "{\"imageCredits\": {\"short\" : \"Grasslands Observatory\"}, \"imageUrl\" : \"pleiades.png\"},\n"
          "{\"imageCredits\": {\"short\" : \" DSS \"}, \"imageUrl\" : \"ic434.png\"},\n"
          "{\"imageCredits\": {\"short\" : \"Someone\"}, \"imageUrl\" : \"barnard22.png\"},\n"
          "]}\n");
}

}  // namespace tiny
