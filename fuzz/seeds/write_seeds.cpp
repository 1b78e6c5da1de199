// Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/ from
// the fixture writers (catalog/record_writer.h, tests/support), so that every
// seed is a well-formed file of its kind. Run from the source folder:
//   build/fuzz/fuzz-seeds fuzz/corpus
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "catalog/selection_entry.h"
#include "support/jpeg_file.h"
#include "support/object_file_fixture.h"

namespace {

using record_writer::Bytes;
namespace fs = std::filesystem;

fs::path root;

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(root / target);
    std::ofstream(root / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Seed(const std::string& target, const std::string& name, const std::string& text) {
    Seed(target, name, Bytes(text.begin(), text.end()));
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Texts separated by NUL bytes.
std::string Values(std::initializer_list<std::string> values) {
    std::string all;
    for (const std::string& v : values) all += (all.empty() && &v == values.begin() ? "" : std::string(1, '\0')) + v;
    return all;
}

std::vector<Bytes> ObjectRecords(int first, int count) {
    std::vector<ObjectRecord> shared = fixture::SharedObjectRecords();
    std::vector<Bytes> records;
    for (int i = first; i < first + count && i < static_cast<int>(shared.size()); ++i)
        records.push_back(record_writer::ObjectBytes(shared[i]));
    return records;
}

ObjectRecord Object(int designation, int number, float ra, float dec, float magnitude, const char* name) {
    ObjectRecord o = fixture::SharedObject(designation, number);
    o.rightAscension = ra;
    o.declination = dec;
    o.magnitude = magnitude;
    SetObjectRecordName(&o, name);
    return o;
}

void ObjectFiles() {
    Seed("object_file", "first_records", record_writer::RecordDbBytes(26, 64, ObjectRecords(0, 24)));
    std::vector<Bytes> full = ObjectRecords(0, 1130);
    full.push_back(record_writer::ObjectBytes(Object(kDesignationMessier, 1, 5.575f, 22.01f, 8.4f, "Crab")));
    full.push_back(record_writer::ObjectBytes(Object(kDesignationMessier, 31, 0.712f, 41.27f, 3.4f, "")));
    full.push_back(record_writer::ObjectBytes(Object(kDesignationCaldwell, 14, 2.33f, 57.13f, 3.7f, "")));
    Seed("object_file", "ranged_catalogues", record_writer::RecordDbBytes(26, 64, full));
    Seed("object_file", "count_beyond_the_file", record_writer::RecordDbBytes(26, 64, ObjectRecords(0, 4), 900));
    Seed("object_file", "record_size_40", record_writer::RecordDbBytes(26, 40, ObjectRecords(72, 6)));

    std::vector<Bytes> index;
    for (int r = 0; r < 4; ++r) {
        std::vector<ObjectIndexEntry> entries;
        for (int k = 0; k < 15; ++k) {
            const int32_t dec = (-80 + 50 * r + k) * 292818;
            entries.push_back(ObjectIndexEntry{static_cast<uint32_t>(k + 1), kDesignationNgc,
                                               static_cast<int16_t>(72 + 15 * r + k), 1000 * k, dec, 3,
                                               static_cast<int16_t>(90 + k)});
        }
        if (r == 3) entries[14] = ObjectIndexEntry{9, 70, 30000, 0, 0, 60, 0};
        index.push_back(record_writer::ObjectIndexBytes(entries));
    }
    Seed("object_index", "four_records", record_writer::RecordDbBytes(1, 300, index));
    Seed("object_index", "one_record", record_writer::RecordDbBytes(1, 300, {index[0]}));

    using record_writer::CrossRef;
    std::vector<Bytes> refs{Bytes(48, 0)};
    refs.push_back(record_writer::CrossRefBytes(
        CrossRef{kDesignationHr, {kDesignationHip, 0, 0}, 2491, {32349, 0, 0}, "Sirius"}, 48));
    refs.push_back(record_writer::CrossRefBytes(CrossRef{kDesignationIc, {0, 0, 0}, 1, {0, 0, 0}, ""}, 48));
    refs.push_back(record_writer::CrossRefBytes(
        CrossRef{kDesignationNgc, {kDesignationMessier, kDesignationCaldwell, -3}, 224, {31, 0, 7}, "Andromeda Galaxy"},
        48));
    Seed("cross_references", "three_objects", record_writer::RecordDbBytes(1, 48, refs));
    Seed("cross_references", "names_fill_their_field",
         record_writer::RecordDbBytes(
             1, 30,
             {Bytes(30, 0),
              record_writer::CrossRefBytes(CrossRef{kDesignationNgc, {}, 224, {}, "Andromeda Galaxy"}, 30)}));

    std::vector<Bytes> descriptions{Bytes(57, 0)};
    descriptions.push_back(record_writer::DescriptionBytes(kDesignationIc, 434, "F, vL, dif, * 2.5 sp", 57));
    descriptions.push_back(record_writer::DescriptionBytes(kDesignationNgc, 1, "F, S, R, bM (= IC 1) *12 np", 57));
    descriptions.push_back(
        record_writer::DescriptionBytes(kDesignationNgc, 224, "!!! eB, eL, vmE (Andromeda) = M31", 57));
    Seed("descriptions", "three_objects", record_writer::RecordDbBytes(1, 57, descriptions));
    Seed("descriptions", "short_records",
         record_writer::RecordDbBytes(
             1, 20, {Bytes(20, 0), record_writer::DescriptionBytes(kDesignationNgc, 224, "vB, vL, E", 20)}));

    std::vector<Bytes> user{record_writer::ObjectBytes(Object(kDesignationUser, 1, 12.5f, -12.5f, 9.9f, "My galaxy")),
                            record_writer::ObjectBytes(Object(kDesignationNgc, 891, 2.375f, 42.35f, 9.9f, "")),
                            record_writer::ObjectBytes(Object(kDesignationUser, 3, 23.99f, 89.9f, 12.3f, " blank"))};
    Seed("user_catalog", "version_26", record_writer::RecordDbBytes(26, 64, user));
    std::vector<Bytes> old;
    for (int i = 0; i < 3; ++i)
        old.push_back(
            record_writer::ObjectBytesV25(Object(kDesignationUser, i + 1, 1.0f + i, 10.0f * i, 5.0f, "Old one")));
    Seed("user_catalog", "version_25", record_writer::RecordDbBytes(25, 64, old));

    Seed("criteria_search", "user_catalogue",
         Join({Bytes{0x01}, record_writer::RecordDbBytes(26, 64, ObjectRecords(60, 20)), Text("%ZDV%"),
               record_writer::RecordDbBytes(26, 64, user)}));
    Seed("criteria_search", "ngc_objects_above_the_horizon",
         Join({Bytes{0x11}, record_writer::RecordDbBytes(26, 64, ObjectRecords(70, 30)), Text("%ZDV%"),
               record_writer::RecordDbBytes(26, 64, {user[0]})}));
    Seed("criteria_search", "messier_whole_sky",
         Join({Bytes{0x30}, record_writer::RecordDbBytes(26, 64, ObjectRecords(1120, 10)), Text("%ZDV%")}));
}

void Stars() {
    std::vector<Bytes> stars;
    for (int i = 0; i < 1646; ++i) {
        record_writer::StarFile s;
        s.hr = static_cast<int16_t>(i + 1);
        s.constellation = static_cast<int16_t>(i % 89);
        s.raHours = static_cast<float>(i % 24) + 0.25f;
        s.decDegrees = static_cast<float>(i % 180) - 89.5f;
        s.magnitude16 = static_cast<int16_t>(i % 100);
        s.bayer = static_cast<uint8_t>('a' + i % 24);
        stars.push_back(record_writer::StarBytes(s));
    }
    Seed("default_stars", "twenty_stars", record_writer::RecordDbBytes(1, 44, {stars.begin(), stars.begin() + 20}));
    Seed("default_stars", "all_stars", record_writer::RecordDbBytes(1, 44, stars));

    const char* names[] = {"Achernar", "Betelgeuse", "Capella", "Sirius", "Vega"};
    const int16_t starIndexes[] = {471, 2060 % 1646, 1707 % 1646, 2490 % 1646, 7000 % 1646};
    std::vector<Bytes> byName, byHr;
    for (int i = 0; i < 5; ++i) byName.push_back(record_writer::BrightStarNameBytes(names[i], starIndexes[i]));
    for (int hr = 1; hr <= 1646; ++hr)
        for (int i = 0; i < 5; ++i)
            if (starIndexes[i] + 1 == hr) byHr.push_back(record_writer::BrightStarNameBytes(names[i], starIndexes[i]));
    byName.insert(byName.end(), byHr.begin(), byHr.end());
    Seed("bright_star_names", "five_names", record_writer::RecordDbBytes(1, 20, byName));

    std::vector<Bytes> lines;
    for (int i = 0; i < 12; ++i)
        lines.push_back(record_writer::ConstellationLineBytes(static_cast<int16_t>(i % 2), static_cast<int16_t>(i % 3),
                                                              static_cast<int16_t>(10 * i),
                                                              static_cast<int16_t>(10 * i + 5)));
    lines.push_back(record_writer::ConstellationLineBytes(0, 1, 1645, 1646));
    Seed("constellation_lines", "both_sets", record_writer::RecordDbBytes(1, 8, lines));

    std::vector<Bytes> records;
    for (int r = 0; r < 7; ++r) {
        std::vector<record_writer::PackedStarFile> packed;
        for (int k = 0; k < 42; ++k) {
            record_writer::PackedStarFile s;
            s.id = static_cast<uint32_t>(9000 + 42 * r + k);
            s.ra[0] = static_cast<int8_t>(k % 24);
            s.ra[1] = static_cast<int8_t>(k);
            s.dec[0] = static_cast<int8_t>(-80 + 25 * r);
            s.dec[1] = static_cast<int8_t>(r % 2 ? -k : k);
            s.magnitude16 = static_cast<uint8_t>(60 + k);
            packed.push_back(s);
        }
        records.push_back(record_writer::StellarRecordBytes(packed, 42));
    }
    Seed("stellar_catalog", "seven_records", record_writer::RecordDbBytes(1, 504, records));
    Seed("stellar_catalog", "one_record", record_writer::RecordDbBytes(1, 504, {records[0]}));
    Seed("stellar_catalog", "records_too_short", record_writer::RecordDbBytes(1, 480, {records[0]}));

    // Index seeds: the fixture catalogue of the entry numbers its stars 1, 2, ...
    // in file order, 42 to a record.
    std::vector<Bytes> index;
    for (int r = 0; r < 4; ++r) {
        std::vector<int16_t> entries;
        for (int k = 0; k < 42; ++k) entries.push_back(static_cast<int16_t>((42 * r + k) / 42));
        if (r == 0) entries[0] = -1;
        index.push_back(record_writer::StellarIndexBytes(entries));
    }
    Seed("stellar_indexes", "hr_index", Join({Bytes{0}, record_writer::RecordDbBytes(1, 84, index)}));
    Seed("stellar_indexes", "hipparcos_index", Join({Bytes{1}, record_writer::RecordDbBytes(1, 84, index)}));
    std::vector<Bytes> tycho;
    for (int region = 0; region < 4; ++region)
        tycho.push_back(record_writer::TychoIndexBytes(-90.0f + 45 * region, -45.0f + 45 * region));
    Seed("stellar_indexes", "tycho_index", Join({Bytes{2}, record_writer::RecordDbBytes(1, 8, tycho)}));
}

void Features() {
    std::vector<Bytes> moon;
    const char* names[] = {"Copernicus", "Tycho", "Mare Imbrium", "Montes Apenninus", "Vallis Alpes", "Plato"};
    for (int half = 0; half < 2; ++half)
        for (int i = 0; i < 6; ++i) {
            MoonFeatureRecord m{};
            m.type = static_cast<uint16_t>(i % 4 == 0 ? 2 : i % 13);
            m.sortKey = static_cast<int16_t>(half ? 100 * i : 500 - 80 * i);
            m.mapY = static_cast<int16_t>(40 * i);
            m.mapSize = static_cast<int16_t>(5 + i);
            m.latitude = -10.0f + 8.0f * i;
            m.longitude = -20.0f + 6.0f * i;
            m.diameter = 93.0f - 10 * i;
            std::snprintf(m.name, sizeof m.name, "%s", names[i]);
            moon.push_back(record_writer::MoonBytes(m));
        }
    Seed("moon_features", "six_features", record_writer::RecordDbBytes(24, 44, moon));

    std::vector<Bytes> mars;
    const char* marsNames[] = {"Olympus Mons", "Arsia Mons", "Gale", "Hellas Planitia", "Valles Marineris"};
    const int16_t groups[] = {1, 1, 2, 3, 7};
    for (int i = 0; i < 5; ++i) {
        MarsFeatureRecord m{};
        std::snprintf(m.name, sizeof m.name, "%s", marsNames[i]);
        m.group = groups[i];
        m.mapX = static_cast<int16_t>(100 * i);
        m.mapY = static_cast<int16_t>(50 + 40 * i);
        m.size = static_cast<int16_t>(600 - 100 * i);
        m.latitude = 18.65f - 10 * i;
        m.longitude = 226.2f - 30 * i;
        mars.push_back(record_writer::MarsBytes(m));
    }
    Seed("mars_features", "five_features", record_writer::RecordDbBytes(1, 36, mars));

    Seed("eyepieces", "three_eyepieces",
         record_writer::RecordDbBytes(1, 72,
                                      {record_writer::EyepieceBytes("TVNA", "Nagler 13mm Type 6", 13.0f, 82),
                                       record_writer::EyepieceBytes("PLSL", "Ploessl 25 mm", 25.0f, 52),
                                       record_writer::EyepieceBytes("XXXX", std::string(32, 'M'), 4.5f, 110)}));

    Seed("satellite_database", "two_sets",
         record_writer::RecordDbBytes(
             1, 213,
             {record_writer::SatelliteBytes("ISS (ZARYA)",
                                            "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927",
                                            "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537"),
              record_writer::SatelliteBytes(std::string(71, 'N'), std::string(71, '1'), std::string(71, '2'))}));
}

void Lists() {
    auto header = [](const std::string& name, int32_t count) {
        record_writer::ByteWriter w;
        w.U32(0).Text(name, 40).U32(2024).U32(3).U32(5).U32(21).U32(45).U32(static_cast<uint32_t>(count));
        return w.bytes();
    };
    auto entry = [](const char* name, int designation, int number, int type, float ra, float dec) {
        SelectionEntry e{};
        std::snprintf(e.name, sizeof e.name, "%s", name);
        e.number = number;
        e.designation = static_cast<int16_t>(designation);
        e.objectType = static_cast<int16_t>(type);
        e.rightAscension = ra;
        e.declination = dec;
        e.mag10 = 34;
        Bytes b(kSelectionEntrySize);
        StoreSelectionEntry(e, b.data());
        return b;
    };
    Bytes three = Join({header("Autumn galaxies", 3), entry("M31", kDesignationMessier, 31, 3, 0.712f, 41.27f),
                        entry("NGC891", kDesignationNgc, 891, 3, 2.375f, 42.35f),
                        entry("Mars", kDesignationPlanet, 4, 30, 1.17f, 10.3f)});
    Seed("user_lists", "three_entries", three);
    Seed("user_lists", "count_beyond_the_entries",
         Join({header("Cut", 40), entry("M1", kDesignationMessier, 1, 2, 5.57f, 22.0f)}));
    Seed("user_lists", "header_only", header(std::string(40, 'L'), 0));
    Seed("user_lists", "count_unusable",
         Join({header("Unusable", -1), entry("M1", kDesignationMessier, 1, 2, 5.57f, 22.0f)}));
    Bytes unterminated = entry("NGC891", kDesignationNgc, 891, 3, 2.375f, 42.35f);
    std::memset(unterminated.data(), 'N', 15);  // the whole name field, no terminating zero
    Bytes undated = three;  // dated 2027-13-99 30:99
    const uint32_t words[] = {2027, 13, 99, 30, 99};
    for (int k = 0; k < 5; ++k) StoreU32(undated.data(), 44 + 4 * k, words[k]);
    Seed("user_lists", "date_not_a_date", undated);
    Seed("user_lists", "name_without_terminator",
         Join({header("Cut name", 2), entry("M31", kDesignationMessier, 31, 3, 0.712f, 41.27f), unterminated}));

    Seed("memos", "nine_lines",
         "M;31;M31;GALXY;Sb      ;00:42:44;41:16:09;3.4;178;63;35\n"
         "C;14;C14;OPNCL;I 3 r :a;02:20:00;57:08:00;3.7;30;30;0\n"
         "H;1;NGC40;PLNNB;PN      ;00:13:00;72:31:00;11.9;1;1;0\n"
         "SAC;110;NGC7789;OPNCL;II 1 r :b;23:57:24;56:43:00;6.7;16;16;0\n"
         "      ;4;Mars;PLANET;        ;01:10:20;10:20:30;1.5;0;0;0\n"
         "      ;12;Vega;1STAR;        ;18:36:56;38:47:01;0.0;1;1;3\n"
         "      ;52;Lyr;CONST;        ;18:36:28;35:39:00;0.0;0;0;0\n"
         "User;3;My galaxy;GALXY;III 1m:b;12:34:56;-12:34:56;12.3;5;2;200\n"
         "Foo;7;Odd one;NEBUL;Sbc;21:00:00;-60:30:15;9.9;4;4;-1\n");
    Seed("memos", "other_formats_crlf",
         "NGC;224;Andromeda;GALXY;Sb;0.7122;41.2692;3.4;178;63;35\r\n"
         "IC;434;Horsehead;DRKNB; ;05h40m59;-02\xB0"
         "27'30;6.8;60;10;0\r\n"
         "NGC;7000;North America;BRTNB; ;20h59.3;44\xB0"
         "31.0;4.0;120;100;0\r\n");
    Seed("memos", "cut_line", "M;31;M31;GALXY;Sb;00:42:44\n");
    Seed("memos", "place_off_the_sky",
         "User;1;Far;GALXY; ;1000;10;9;0;0;0\n"
         "User;2;South;GALXY; ;1;-95;9;0;0;0\n"
         "NGC;224;Andromeda;GALXY;Sb;00:42:44;41:16:09;3.4;178;63;35\n");
    Seed("memos", "places_at_the_ends",
         "User;1;End of day;GALXY; ;23:59:59.9;89:59:59.9;9;0;0;0\n"
         "User;2;Start;GALXY; ;0;-90;9;0;0;0\n"
         "User;3;Late;GALXY; ;23.99999;-0.00001;9;0;0;0\n");
    Seed("memos", "no_place_fields",
         ";;;;;;;;;;\n"
         "X;3;Letters;GALXY;Sb ;abcdef;ghij;zz;q;q;q\n"
         "1;M;M31;GALXY;Sb ;00:42:44;+41:16:09;3.4;178;63;0\n");
    Seed("memos", "sexagesimal_look_alikes",
         "User;1;a;GALXY; ;12a30b00;10:00:00;9;0;0;0\n"
         "User;2;b;GALXY; ;12:60:00;10\xB0" "30;9;0;0;0\n"
         "User;3;c;GALXY; ;12h30m;+ 10;9;0;0;0\n"
         "User;4;d;GALXY; ;1.2.3;--10;9;0;0;0\n");
    Seed("memos", "line_ends_only", "\n\r\n\n\r\r\n\n");
    Seed("memos", "comets_of_one_number",
         "Comet;-1;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;-1;C/2030 A1;COMET; ;02:00:00;20:00:00;9.5;0;0;0\n"
         "Comet;7;C/2027 Z1 (PanSTARRS);COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;3;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n");
    Seed("memos", "like_named_comets",
         "Comet;2;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;6;C/2031 B1 (LINEAR-A);COMET; ;02:00:00;20:00:00;9.5;0;0;0\n"
         "Comet;-1;C/2031 B1 (LINEAR-A);COMET; ;02:00:00;20:00:00;9.5;0;0;0\n"
         "Comet;-1;C/2031 B1 (LINEAR-B);COMET; ;03:00:00;30:00:00;9.5;0;0;0\n"
         "Comet;4;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;3;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;-1;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n");
    Seed("memos", "weaker_claims_first",
         "Comet;-1;C/2031 B1 (LINEAR-C);COMET; ;02:00:00;20:00:00;9.5;0;0;0\n"
         "Comet;;C/2031 B1 (LINEAR-A);COMET; ;02:00:00;20:00:00;9.5;0;0;0\n"
         "Comet;99;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;-7;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;5;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;3;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;-1;C/2027 Z1 (PanSTARRS);COMET; ;01:00:00;10:00:00;9.0;0;0;0\n"
         "Comet;5;C/2030 A1;COMET; ;02:00:00;20:00:00;9.5;0;0;0\n");
    Seed("memos", "whole_numbers_beyond_32_bits",
         "User;1;Dec;GALXY; ;1;4294967341;9;0;0;0\n"
         "User;2;Ra;GALXY; ;4294967297;10;9;0;0;0\n"
         "User;3;South;GALXY; ;1;-4294967321;9;0;0;0\n"
         "User;4;Long;GALXY; ;1;9999999999999999999999999999999955;9;0;0;0\n"
         "User;4294967297;Number;GALXY; ;1;10;9;0;0;0\n"
         "NGC;224;Andromeda;GALXY;Sb;00:42:44;41:16:09;3.4;178;63;35\n");
}

// Texts of the element fields, NUL-separated after the kind byte (odd: comet).
void ElementTexts() {
    auto texts = [](char kind, std::initializer_list<std::string> fields) {
        std::string all(1, kind);
        for (const std::string& f : fields) all += (all.size() > 1 ? std::string(1, '\0') : "") + f;
        return all;
    };
    const std::pair<const char*, std::string> seeds[] = {
        {"p2000_r2_linear", texts(1, {"P/2000 R2 (LINEAR)", "2019", "06", "17.8277", "1.62465", "", "0.53147",
                                      "176.58420", "160.28551", "11.68710", "18.00"})},
        {"ceres", texts(0, {"1 Ceres (A801 AA)", "2022", "08", "9.0000", "2.76662", "334.32718", "0.07864",
                                "73.53162", "80.26643", "10.58679", "3.33"})},
        {"hyperbolic_borisov", texts(1, {"2I/Borisov", "2019", "12", "8.5549", "2.00655", "", "3.35664", "209.12511",
                                         "308.14801", "44.05270", "11.00"})},
        {"node_of_73_digits", texts(1, {"Long", "2024", "07", "9.5", "0.9", "", "0.6", "165", "1" + std::string(72, '0')})},
        {"inclination_4_4e23", texts(1, {"Wide", "2024", "07", "9.5", "0.9", "", "0.6", "165", "120",
                                         "440000000000000000000000"})},
        {"q_1_25e19", texts(1, {"Far", "2024", "07", "9.5", "12500000000000000000"})},
        {"e_rounding_to_one", texts(0, {"Edge", "2003", "12", "27", "2.5", "30", "0.999999999"})},
        {"exponent_and_signs", texts(1, {"Odd", " +2024 ", "7", "0", "1.5e-3", "", "+-0.5", "0x10", "nan", "inf"})},
        {"kind_only", std::string(1, '\1')},
    };
    for (const auto& [name, text] : seeds) Seed("comet_element_texts", name, text);
}

void Texts() {
    const std::pair<const char*, std::string> numbers[] = {
        {"year", std::string("\x00", 1) + "2024"},
        {"aperture_decimal_comma",
         "\x01"
         "166,5"},
        {"delta_t_open_low",
         "\x02"
         "40"},
        {"hours_sexagesimal",
         "\x03"
         "23h45m00"},
        {"latitude_south",
         "\x04"
         "51\xB0"
         "28'38 S"},
        {"longitude_decimal_minutes",
         "\x05"
         "-0\xB0"
         "07.5 E"},
        {"declination_seconds",
         "\x06"
         "-70:45:30.5"},
        {"zone_small_buffer",
         "\x87"
         "-5"},
        {"date",
         "\x00"
         "12/31/2024"},
        {"long_digits",
         "\x01"
         "99999999999999999999999"},
    };
    for (const auto& [name, text] : numbers) Seed("number_fields", name, text);

    const std::pair<const char*, std::string> environments[] = {
        {"window_preset", Values({"480x640@192", "2", "COM1:", "/dev/ttyUSB0"})},
        {"bad_screen_and_zoom", Values({"640x", "9", "COM12:", ""})},
        {"empty", Values({"", "", "", ""})},
    };
    for (const auto& [name, text] : environments) Seed("environment_values", name, text);

    const std::pair<const char*, std::string> descriptions[] = {
        {"faint_small_round",
         "\xC8"
         "vF, S, R, bM"},
        {"bright_nebula",
         "\x00"
         "!!! eB, eL, vmE (Andromeda) = M31"},
        {"pretty_and_numbers",
         "\x05"
         "pB, pL, iF, 2 st 12, *10 p 15\""},
        {"cut_buffer",
         "\x01"
         "cL, vRi, pC, st 9...13"},
        {"full_length",
         "\x04"
         "vF, vS, R, gbM, * 11 nf 2', sp of 2, dif neb, vlbM"},
    };
    for (const auto& [name, text] : descriptions) Seed("dreyer_text", name, text);

    const std::pair<const char*, std::string> drawn[] = {
        {"plain", std::string("\x00\x02\x02", 3) + "Messier 31 Andromeda"},
        {"symbol_letters", std::string("\x06\x00\x00", 3) + "abgdezhq"},
        {"degree_and_bullet", std::string("\x01\xF0\x10", 3) + "12\xB0 30' \x95 G\xF6tterd\xE4mmerung"},
        {"wrapped",
         std::string("\x02\x04\x04", 3) + "A long line of words that wraps inside the rectangle\nand a second"},
    };
    for (const auto& [name, text] : drawn) Seed("drawn_text", name, text);
}

void Pictures() {
    auto gradient = [](int width, int height) {
        std::vector<unsigned char> rgb;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                rgb.push_back(static_cast<unsigned char>(x * 255 / width));
                rgb.push_back(static_cast<unsigned char>(y * 255 / height));
                rgb.push_back(static_cast<unsigned char>((x + y) % 256));
            }
        return rgb;
    };
    Seed("pictures", "gradient_8x8", EncodeJpeg(8, 8, gradient(8, 8)));
    Seed("pictures", "gradient_17x5", EncodeJpeg(17, 5, gradient(17, 5)));
    Bytes cut = EncodeJpeg(16, 16, gradient(16, 16));
    cut.resize(cut.size() / 2);
    Seed("pictures", "cut_in_half", cut);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    root = argv[1];
    ObjectFiles();
    Stars();
    Features();
    Lists();
    ElementTexts();
    Texts();
    Pictures();
    return 0;
}
