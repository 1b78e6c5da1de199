// The converter's readers and field rules on single values: text in
// Windows-1252, deep-sky type texts from morphologies, packed star fields, and
// damaged sources named with their place, and the deep-sky pictures' names,
// credits and shrinking.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "convert/deep_sky_sources.h"
#include "convert/object_files.h"
#include "convert/picture_files.h"
#include "convert/source_files.h"
#include "convert/star_files.h"
#include "convert/star_sources.h"
#include "convert/text_1252.h"
#include "support/catalogue_sources_entry.h"
#include "support/fuzz_corpus.h"

namespace {

TEST(Windows1252, KeepsWhatTheCodePageHoldsAndSpellsOrStripsTheRest) {
    struct Case {
        const char* utf8;
        const char* expected;
    } cases[] = {
        {"Barnard's Loop", "Barnard's Loop"},
        {"Caf\xC3\xA9", "Caf\xE9"},                      // e acute is byte 0xE9
        {"\xE2\x80\x98q\xE2\x80\x99", "\x91q\x92"},      // curly quotes are 0x91, 0x92
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "L\xF3" "dz"},     // L stroke and z acute lose their accents
        {"\xCE\xB1 Cen", "alpha Cen"},                    // Greek letters spelled out
        {"\xCE\xA9 nebula", "Omega nebula"},
        {"e\xCC\x81", "e"},                               // a combining accent is dropped
        {"\xE4\xB8\xAD", "?"},                            // a character outside every rule
        {"\xC3", "?"},                                    // a sequence cut short
    };
    for (const Case& c : cases) EXPECT_EQ(convert::ToWindows1252(c.utf8), c.expected) << c.utf8;
}

TEST(ClassCode, NormalisedMorphologyElseTheTypeGenericText) {
    // Codes of the deep-sky type-text table: 252 "Sb", 270 "Sbc", 266 "SBb", 60 "E3",
    // 281 "Sc", 69 "EN+RN", 137 "II3m", 104 "I3r", 220 "PN", 215 "OCL".
    struct Case {
        const char* morphology;
        int objectType;
        int code;
    } cases[] = {{"SA(s)b", 16, 252}, {"SAB(rs)bc", 16, 270}, {"SBb", 16, 266},  {"E3", 16, 60},
                 {"Sc?", 16, 281},    {"EN+RN; 3, 2, 3", 20, 69}, {"II3m", 6, 137}, {"I3rn", 6, 104},
                 {"", 25, 220},       {"3", 6, 215},       {"-5", 16, 0}};
    for (const Case& c : cases) EXPECT_EQ(convert::ClassCodeFor(c.morphology, c.objectType), c.code) << c.morphology;
}

TEST(PackStar, WholeSecondsSignedBytesAndClampedCodes) {
    struct Case {
        double ra, dec, v, bv;
        int raH, raM, raS, decD, decM, decS, magnitude, colour;
    } cases[] = {
        {0.0, -0.5, 5.0, 0.0, 0, 0, 0, 0, -30, 0, 80, 0},            // -0 30' keeps its sign in the minutes
        {23.99999, 45.5, 1.0, 1.5, 0, 0, 0, 45, 30, 0, 16, 15},     // 23h59m59.96s rounds to 0h
        {6.7525, -16.7161, -1.46, 0.0, 6, 45, 9, -16, -42, -58, 0, 0},  // Sirius: below 0 reads 0
        {12.0, 89.2642, 20.0, -0.33, 12, 0, 0, 89, 15, 51, 255, -3},    // V 20 clamps to 255
    };
    for (const Case& c : cases) {
        record_writer::PackedStarFile p = convert::PackStar(7, c.ra, c.dec, c.v, c.bv);
        EXPECT_EQ(p.ra[0] * 3600 + p.ra[1] * 60 + p.ra[2], c.raH * 3600 + c.raM * 60 + c.raS) << c.ra;
        EXPECT_EQ(p.dec[0], c.decD) << c.dec;
        EXPECT_EQ(p.dec[1], c.decM) << c.dec;
        EXPECT_EQ(p.dec[2], c.decS) << c.dec;
        EXPECT_EQ(p.magnitude16, c.magnitude) << c.v;
        EXPECT_EQ(p.colour, c.colour) << c.bv;
    }
}

TEST(BscName, FlamsteedBayerAndSuperscript) {
    convert::BscName n = convert::ParseBscName("  9Alp CMa");
    EXPECT_EQ(n.flamsteed * 1000 + n.bayer * 10 + n.superscript, 9 * 1000 + 'a' * 10);
    n = convert::ParseBscName("   Alp1Cen");
    EXPECT_EQ(n.flamsteed * 1000 + n.bayer * 10 + n.superscript, 'a' * 10 + 1);
    n = convert::ParseBscName(" 61    Cyg");
    EXPECT_EQ(n.flamsteed * 1000 + n.bayer * 10 + n.superscript, 61 * 1000);
    n = convert::ParseBscName("   Omi2Eri");
    EXPECT_EQ(n.bayer, 'o');
}

// The 32-byte header of a level-0 Stellarium star file.
std::string StarHeader() {
    std::string h;
    for (uint32_t v : {0x835F040Au, 0u, 0u, 8u, 0u, static_cast<uint32_t>(-2000), 12800u, 256u})
        for (int s = 0; s < 32; s += 8) h += static_cast<char>(v >> s);
    return h;
}

// Each damaged source is refused with its name and the place of the damage.
TEST(DamagedSource, IsNamedWithThePlace) {
    struct Case {
        const char* what;
        void (*parse)();
        const char* message;
    } cases[] = {
        {"BSC line without its name field", [] { convert::ParseBsc("# x\n-16.7 6.75 -1.46 2491 48915\n", "BSC"); },
         "BSC: line 2 is malformed"},
        {"figure with fewer stars than it counts", [] { convert::ParseFigures("Aql 2 1 2 3\n", "fab"); },
         "fab: line 1 is malformed"},
        {"star file cut inside its zone table", [] { convert::ParseStellariumStars(StarHeader() + "12", "cat"); },
         "cat: zone table cut short"},
        {"star file longer than its zone table says", [] { convert::ParseStellariumStars(StarHeader() + std::string(81, '\0'), "cat"); },
         "cat: length does not match its zone table"},
        {"star file of another kind", [] { convert::ParseStellariumStars(std::string(40, '\0'), "cat"); },
         "cat: not a Hipparcos star catalogue"},
        {"deep-sky stream ending inside a record", [] { convert::ParseDsoCatalog(std::string("\0\0\0\0\0\0\0\0\0\0\0\x01\0\0", 14), "dat"); },
         "dat: ends inside a record"},
        {"deep-sky text of odd length", [] { convert::ParseDsoCatalog(std::string("\0\0\0\x03", 4), "dat"); },
         "dat: damaged text field"},
    };
    for (const Case& c : cases) {
        try {
            c.parse();
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const convert::SourceError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
        }
    }
}

// Each HR star of cross-id.dat keeps its own row's HIP number and component (A 1,
// B 2 ...; none 0), also where an earlier row holds the same HIP number; the
// HIP-to-HR table keeps the first HR of a HIP number.
TEST(CrossId, HrStarsKeepTheirOwnComponent) {
    const std::string text =
        "# HIP\t\tSAO\tHD\tHR\n50583\tA\t81298\t89484\t4057\n50583\tB\t81299\t89485\t4058\n"
        "65378\tC\t\t\t5055\n32349\t\t151881\t48915\t2491\n12\tx\t\t\t9\n13\t\t\t\t\n";
    std::map<int, std::pair<int, int>> hr = convert::ParseCrossIdHrToHip(text);
    struct Case {
        int hr, hip, component;
    } cases[] = {{4057, 50583, 1}, {4058, 50583, 2}, {5055, 65378, 3}, {2491, 32349, 0}, {9, 12, 0}};
    for (const Case& c : cases) {
        ASSERT_EQ(hr.count(c.hr), 1u) << c.hr;
        EXPECT_EQ(hr[c.hr], std::make_pair(c.hip, c.component)) << c.hr;
    }
    EXPECT_EQ(hr.size(), 5u);  // the row without an HR number gives none
    EXPECT_EQ(convert::ParseCrossIdHipToHr(text).at(50583), 4057);
}

// A catalog.dat stream (big-endian Qt data) of objects that differ only in
// their right ascension, in radians.
std::string DsoStreamOfRightAscensions(const std::vector<double>& radians) {
    std::string bytes;
    auto u32 = [&bytes](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) bytes += static_cast<char>(v >> s);
    };
    auto f64 = [&bytes](double d) {
        uint64_t v;
        std::memcpy(&v, &d, sizeof v);
        for (int s = 56; s >= 0; s -= 8) bytes += static_cast<char>(v >> s);
    };
    u32(0);  // version and edition: empty texts
    u32(0);
    for (double ra : radians) {
        u32(1);
        f64(ra);
        for (int k = 0; k < 3; ++k) f64(k == 0 ? 0.5 : 9.0);  // declination, B and V magnitudes
        u32(0);  // type
        u32(0);  // morphology: empty text
        f64(0.1);
        f64(0.1);
        u32(0);
        for (int k = 0; k < 6; ++k) f64(0.0);
        for (int c = 0; c < convert::kDsoColumns; ++c) u32(0);  // numbers, and empty texts
    }
    return bytes;
}

// Right ascensions below zero by more than a turn (found by fuzzing: -12220
// rad gave a negative hour) wrap into [0, 24) h: -3 pi rad is -36 h = 12 h,
// -pi/12 is -1 h = 23 h, 25 h is 1 h, and -1e-17 rad is 0 h, not 24.
TEST(DeepSkyCatalogue, RightAscensionsWrapIntoOneDay) {
    const double pi = 3.14159265358979323846;
    const std::vector<convert::DsoObject> objects =
        convert::ParseDsoCatalog(DsoStreamOfRightAscensions({-3 * pi, -pi / 12, 25 * pi / 12, -1e-17, -12220.0}), "dat");
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_NEAR(objects[0].raHours, 12.0, 1e-12);
    EXPECT_NEAR(objects[1].raHours, 23.0, 1e-12);
    EXPECT_NEAR(objects[2].raHours, 1.0, 1e-12);
    EXPECT_EQ(objects[3].raHours, 0.0);
    for (const convert::DsoObject& o : objects) EXPECT_TRUE(o.raHours >= 0.0 && o.raHours < 24.0) << o.raHours;
}

// The objects of a picture file by its name: the leading number after the
// catalogue letters (suffixes of photographers and parts ignored); M31's and
// M42's pictures show their neighbours too; other names show no object.
TEST(PictureFiles, ObjectsOfTheFileName) {
    using Objects = std::vector<std::pair<int, long>>;
    const std::pair<const char*, Objects> cases[] = {
        {"m1dumont.png", {{40, 1}}},
        {"m31.png", {{40, 31}, {40, 32}, {40, 110}}},
        {"m42.png", {{40, 42}, {40, 43}}},
        {"n869-884spano.png", {{42, 869}}},
        {"ic2118-2.png", {{29, 2118}}},
        {"pleiades.png", {{40, 45}}},
        {"m.png", {}},
        {"Medusa-vasey.png", {}},
        {"barnard22.png", {}}};
    for (const auto& [file, expected] : cases) {
        Objects got;
        for (const convert::PictureObject& o : convert::PictureFileObjects(file)) got.emplace_back(o.designation, o.number);
        EXPECT_EQ(got, expected) << file;
    }
}

// textures.json read leniently: numbers starting with their point, a comma
// before a closing bracket, "Short" or "short", the infoUrl after the credit;
// a point inside a text stays as it is; an entry without a credit is left out.
TEST(PictureFiles, CreditsReadLeniently) {
    using Credits = std::map<std::string, std::string>;
    const std::pair<const char*, Credits> cases[] = {
        {R"({"subTiles": [{"imageCredits": {"short": "A"}, "imageUrl": "m1.png", "c": [-.5, .25]},]})", {{"m1.png", "A"}}},
        {R"([{"imageCredits": {"Short": " B ", "infoUrl": "http://b/"}, "imageUrl": "n2.png"}])", {{"n2.png", "B, http://b/"}}},
        {R"({"subTiles": [{"subTiles": [{"imageCredits": {"short": "St. .9"}, "imageUrl": "ic3.png"}]}]})",
         {{"ic3.png", "St. .9"}}},
        {R"([{"imageUrl": "m4.png"}, {"imageCredits": {}, "imageUrl": "m5.png"}])", {}}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(convert::ParsePictureCredits(text, "textures.json"), expected) << text;
    EXPECT_THROW(convert::ParsePictureCredits("{\"imageUrl\": ", "textures.json"), convert::SourceError);
    // Arrays nested deeper than any picture list: no credit, and the reader's stack holds.
    const std::size_t depth = 100000;
    EXPECT_EQ(convert::ParsePictureCredits(std::string(depth, '[') + std::string(depth, ']'), "textures.json"),
              Credits{});
}

// A picture shrinks to the long side asked for, each pixel the mean of those
// it covers: columns alternating 0 and 200 become 100.
TEST(PictureFiles, ShrinkAveragesTheCoveredPixels) {
    convert::RgbPicture p;
    p.width = 4, p.height = 2;
    for (int i = 0; i < 8; ++i) p.rgb.insert(p.rgb.end(), 3, static_cast<unsigned char>(i % 2 ? 200 : 0));
    convert::RgbPicture small = convert::ShrinkPicture(p, 2);
    EXPECT_EQ((std::vector<int>{small.width, small.height}), (std::vector<int>{2, 1}));
    EXPECT_EQ(small.rgb, std::vector<unsigned char>(6, 100));
}

// The seeds and every input that ever found a fault in the source readers
// (fuzz/corpus/catalogue_sources) pass the fuzz target's checks.
TEST(CatalogueSourcesCorpus, PassesTheChecks) {
    EXPECT_GE(ReplayFuzzCorpus("catalogue_sources", RunCatalogueSources), 17);
}

}  // namespace
