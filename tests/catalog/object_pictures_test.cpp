// Finding object pictures by folder, kind and name.
#include "catalog/object_pictures.h"

#include "catalog/designations.h"
#include "catalog_test.h"

namespace {

// Each case follows the folder table: catalogue folders by designation id,
// kind 13 by the constellationTable row the name holds (89 rows, Vulpecula
// 88), the name cut at its first comma and at 29 characters; folders 2 and 7
// are unknown; names leaving their folder open nothing ("img\x.jpg" exists).
TEST_F(CatalogTest, PicturePathsFollowFolderKindAndName) {
    const std::string row5 = std::string(constellationTable[5].abbreviation) + ".jpg", i29(29, 'i');
    const std::vector<std::string> files = {
        "img\\ngc\\NGC224.jpg", "img\\const\\" + row5,  "img\\const\\Vul.jpg", "img\\const\\And.jpg",
        "img\\misc\\Mine.jpg",  "img\\x.jpg",             "mars\\Oly.jpg",       "moon\\Oly.jpg",
        "small_moon\\Oly.jpg",  "maps\\Oly.jpg",          "shots\\Oly.jpg",      "img\\abell\\A426.jpg",
        "img\\planet\\Mars.jpg", "img\\ic\\" + i29 + ".jpg", "img\\messier\\M31.jpg"};
    for (const std::string& file : files) folder.WriteRaw(file, Bytes{0xFF, 0xD8});
    const struct {
        std::string name;
        int folder, kind;
        std::string tested;  // empty: no picture
        const char* message;
    } cases[] = {
        {"NGC224, Andromeda", 0, kDesignationNgc, "NGC224.jpg", ""}, {"M31", 0, kDesignationMessier, "M31.jpg", ""},
        {"M31", 0, kDesignationNgc, "", ""},         {"Mine", 0, kDesignationUser, "Mine.jpg", ""},
        {"A426", 0, 1, "A426.jpg", ""},              {"Mars", 0, kDesignationPlanet, "Mars.jpg", ""},
        {i29 + "jjj", 0, kDesignationIc, i29 + ".jpg", ""},
        {"5", 0, kDesignationConstellation, row5, ""}, {"  5", 0, kDesignationConstellation, row5, ""},
        {"Leo", 0, kDesignationConstellation, "And.jpg", ""}, {"88", 0, kDesignationConstellation, "Vul.jpg", ""},
        {"89", 0, kDesignationConstellation, "", ""}, {"-1", 0, kDesignationConstellation, "", ""},
        {"99999999999999999999", 0, kDesignationConstellation, "", ""},
        {"Oly", 1, kDesignationNgc, "Oly.jpg", ""},  {"Oly", 3, 0, "Oly.jpg", ""},
        {"Oly", 4, kDesignationNgc, "Oly.jpg", ""},  {"Oly", 5, kDesignationConstellation, "Oly.jpg", ""},
        {"Oly", 6, kDesignationMessier, "Oly.jpg", ""}, {"Missing", 3, 0, "", ""},
        {"Oly", 2, 0, "", "Unkown image folder"},    {"Oly", 7, 0, "", "Unkown image folder"},
        {"..\\x", 0, kDesignationNgc, "", ""},       {"a\\..\\..\\img\\x", 0, kDesignationNgc, "", ""},
    };
    for (const auto& c : cases) {
        ResetImageRequest();
        EXPECT_EQ(BuildImagePath(c.name.c_str(), c.folder, c.kind), !c.tested.empty()) << c.name << " " << c.folder;
        EXPECT_EQ(imageRequest.kind, c.kind);
        EXPECT_EQ(imageRequest.tested, c.tested) << c.name;
        EXPECT_EQ(TakeTexts(), c.message[0] ? Texts{c.message} : Texts{}) << c.name;
    }
    imageRequest.folder = 0;
    std::snprintf(imageRequest.name, sizeof imageRequest.name, "NGC224.jpg");
    EXPECT_EQ(RequestedImagePath(), "img\\ngc\\NGC224.jpg");
}

// A Caldwell entry is looked up by its catalogue designation and number.
TEST(ListEntryPictures, CaldwellEntriesByDesignationOthersByName) {
    SelectionEntry e{};
    std::snprintf(e.name, sizeof e.name, "C20");
    e.number = 7000;
    e.designation = kDesignationNgc;
    for (auto [source, name] : {std::pair{kSourceCaldwell, "NGC7000"}, {kSourceMessier, "C20"}}) {
        e.source = static_cast<uint16_t>(source);
        EXPECT_EQ(ListEntryPictureName(e), name);
    }
}

// A constellation entry is named by its abbreviation, which holds no row
// number: read as row 0, every constellation showed Andromeda's picture.
TEST(ListEntryPictures, ConstellationEntryShowedAndromedaForEveryRow) {
    SelectionEntry e{};
    std::snprintf(e.name, sizeof e.name, "Ori");
    e.number = 60;  // Orion's row
    e.designation = kDesignationConstellation;
    EXPECT_EQ(ListEntryPictureName(e), "60");
}

}  // namespace
