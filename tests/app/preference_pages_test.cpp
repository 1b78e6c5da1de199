// The six preference pages in the running program: fillers and savers, the
// choices that act at once, the page walk and the help texts.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/preference_pages.h"
#include "app/preference_tables.h"
#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/dialog.h"
#include "platform/message_queue.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/list_entries.h"
#include "support/preference_driver.h"
#include "support/program_fixture.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"

namespace {

class PreferencePages : public ProgramTest, protected PreferencePageDriver {
protected:
    void SetUp() override {
        ResetCatalogState();
        ASSERT_TRUE(StartProgram());
        EXPECT_EQ(BoxCount(), 0);
    }
    pl::Harness& Driven() override { return harness; }
    bool Visible(int id) { return pl::IsWindowVisible(pl::GetDlgItem(GetCurrentFormDialog(), id)); }
};

TEST_F(PreferencePages, EncoderFieldsFollowTheDriveAtOnce) {
    Ui([] {
        preferences.word[kPrefEncoderStepsAz] = 4000;
        preferences.word[kPrefEncoderStepsAlt] = -8192;
    });
    Open(1400);
    Choose(1410, 3);  // "BBox", an encoder box
    EXPECT_EQ(preferences.word[kPrefDriveId], 3);
    for (int id : {1419, 1420, 1495, 1496, 1427}) EXPECT_TRUE(Visible(id)) << id;
    EXPECT_EQ(Text(1419), "4000");
    EXPECT_EQ(Text(1420), "-8192");
    Choose(1410, 5);  // "LX200"
    for (int id : {1419, 1420, 1495, 1496, 1427}) EXPECT_FALSE(Visible(id)) << id;
    Shot("preferences1.png");
}

TEST_F(PreferencePages, OtherDiameterIsStoredAndShownAgain) {
    Open(1430);
    Choose(1438, 20);
    EXPECT_TRUE(Visible(1535));
    SetText(1535, "300");
    Choose(1440, 12);
    SetText(1536, "6.35");
    Command(1447);  // Ok
    EXPECT_EQ(preferences.word[kPrefDiameter], 300);
    EXPECT_EQ(preferences.word[kPrefFRatio], 63);  // truncated tenths
    Open(1430);
    EXPECT_EQ(Row(1438), 20);
    EXPECT_TRUE(Visible(1535));
    EXPECT_EQ(Text(1535), "300");
    EXPECT_EQ(Text(1536), "6.3");
    Shot("preferences2.png");
}

TEST_F(PreferencePages, OtherDiameterBelow20AndRatioBelow12AreRefused) {
    Open(1430);
    Choose(1438, 20);
    SetText(1535, "12");
    Command(1448);
    EXPECT_EQ(BoxText(), "Diameter must be a whole number between 20 and 999 mm\n");
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), 1430);
    EXPECT_EQ(preferences.word[kPrefDiameter], 8);
    SetText(1535, "200");
    Choose(1440, 12);
    SetText(1536, "1.1");
    Command(1448);
    EXPECT_EQ(BoxText(), "F-Ratio must be between 1.2 and 100\n");
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), 1430);
}

TEST_F(PreferencePages, MissingStellarCatalogKeepsThePage) {
    Open(1450);
    Choose(1473, 2);  // "Hipparchos 32K"
    Command(1466);    // Next
    // Reopening the databases reports those this folder lacks first.
    for (int i = 0; i < 5 && BoxText().rfind("It seems", 0) != 0 && BoxCount() > 0; ++i) Answer(pl::IDOK);
    EXPECT_EQ(BoxText(),
              "It seems the optional stellar catalog you selected isn't on your card.\n"
              "Please check you put Zendavori catalogs under in the right folder.\n"
              "Not found: data/zendavori_hip_32k.ppc");
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), 1450);
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 0);
    EXPECT_EQ(Row(1473), 0);
}

// Row 0 is "None" and row n eyepiece record n - 1, as the chart reads word 46:
// the first record is listed and row 1 names it.
TEST_F(PreferencePages, EyepieceRowsNameRecordNMinusOne) {
    std::filesystem::create_directories(folder.path() / "data");
    std::ofstream(folder.path() / "data" / "zendavori_eyepiece.ppc", std::ios::binary) << [] {
        auto bytes = record_writer::RecordDbBytes(1, 72, {record_writer::EyepieceBytes("AB", "Wide", 25.0f, 52),
                                                          record_writer::EyepieceBytes("CD", "Zoom", 8.0f, 40)});
        return std::string(bytes.begin(), bytes.end());
    }();
    Open(1450);
    std::vector<std::string> rows;
    Ui([&] {
        pl::Hwnd list = pl::GetDlgItem(GetCurrentFormDialog(), 1468);
        for (int i = 0; i < pl::ListViewGetItemCount(list); ++i) rows.push_back(pl::ListViewGetItemText(list, i));
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"None", "AB-Wide", "CD-Zoom"}));
    Choose(1468, 1);
    std::string label;
    Ui([&] { label = RecordOf<PopupRecord>(pl::GetDlgItem(GetCurrentFormDialog(), 1467))->label; });
    EXPECT_EQ(label, "AB-Wide");
    Command(1466);  // Next saves the page
    EXPECT_EQ(preferences.word[kPrefEyepiece], 1);
}

// Next and Prev walk the pages; their group headings (138, 139, 140) are the
// layer's bold labels, released with the page, so leaving reports nothing.
TEST_F(PreferencePages, NextAndPrevWalkThePagesWithLabelHeadings) {
    const struct {
        int from, command, to;
        std::vector<int> headings;
    } steps[] = {{1400, 1426, 1430, {138, 139, 140}}, {1430, 1448, 1450, {138}}, {1450, 1466, 1620, {138}},
                 {1620, 1622, 1476, {}},           {1476, 1338, 1337, {138, 139}}, {1337, 1339, 1476, {}},
                 {1476, 1520, 1620, {}},           {1620, 1519, 1450, {}},      {1450, 1518, 1430, {}},
                 {1430, 1517, 1400, {138, 139}}};
    Open(1400);
    for (const auto& s : steps) {
        ASSERT_EQ(GetCurrentFormId(), s.from);
        Command(s.command);
        EXPECT_EQ(GetCurrentFormId(), s.to) << s.command;
        EXPECT_EQ(BoxCount(), 0) << s.command;
        for (int id : s.headings)
            EXPECT_NE(RecordOf<LabelRecord>(pl::GetDlgItem(GetCurrentFormDialog(), id)), nullptr) << s.to << " " << id;
    }
    Command(1425);  // Ok: back to the form before the pages
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
}

// Page 2's Night Mode takes effect when chosen: the colour set and the system
// colours follow the new mode (intensity 204 for "Bright", the night-mode table), and
// "Off" brings back white.
TEST_F(PreferencePages, NightModeChosenOnPage2BuildsTheColoursOfTheNewMode) {
    Open(1430);
    Choose(1446, 3);  // "Bright"
    EXPECT_EQ(preferences.word[kPrefNightMode], 3);
    EXPECT_EQ(GetBackgroundColor(), 0x000000u);
    EXPECT_EQ(GetForegroundColor(), pl::Rgb(204, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindowText), pl::Rgb(204, 0, 0));
    Choose(1446, 0);  // "Off"
    EXPECT_EQ(preferences.word[kPrefNightMode], 0);
    EXPECT_EQ(GetBackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(GetForegroundColor(), 0x000000u);
}

// A change of "Max Selected items" carries the list, its shown rows and its
// current row into the new arrays. With no bright-star names installed "25"
// gives room for 25 + 5 - 1 (the end entry) = 29 of 30 entries; the one left
// out is told.
TEST_F(PreferencePages, MaxSelectedItemsKeepsTheListCutToItsRoom) {
    ASSERT_EQ(GetBrightStarCount(), 0);
    Open(1430);
    Choose(1442, 1);  // "50", from "25", with the list empty
    Command(1447);
    EXPECT_EQ(BoxCount(), 0);
    Ui([] {
        for (int i = 0; i < 30; ++i) {
            selectionList[i] = ListEntry(("Obj" + std::to_string(i)).c_str(), 63, i, i % 2 ? 30 : 16, 1.0f, 2.0f);
            selectionListIndex[i] = 29 - i;  // shown rows in an order of their own
            selectionListPtr[i] = &selectionList[29 - i];
        }
        selectionCount = selectionShownCount = 30;
        selectionCurrentRow = 7;  // entry 22
    });
    const struct {
        int row, capacity, count;
        std::string box;
    } steps[] = {{2, 100, 30, ""}, {0, 25, 29, "1 entries did not fit in the list and were left out.\n"}};
    for (const auto& s : steps) {
        Open(1430);
        Choose(1442, s.row);
        Command(1447);
        EXPECT_EQ(GetSelectedItemsCapacity(), s.capacity);
        EXPECT_EQ(BoxText(), s.box);
        EXPECT_EQ(BoxCount(), s.box.empty() ? 0 : 1);
        AnswerAll();
        ASSERT_EQ(selectionCount, s.count) << s.capacity;
        EXPECT_EQ(selectionShownCount, s.count) << s.capacity;
        for (int i = 0; i < s.count; ++i) {
            EXPECT_EQ(selectionList[i].name, "Obj" + std::to_string(i)) << s.capacity;
            const int shown = 29 - i - (30 - s.count);  // entry 29 left out with its row 0
            EXPECT_EQ(selectionListIndex[i], shown) << s.capacity;
            EXPECT_EQ(selectionListPtr[i], &selectionList[shown]) << s.capacity;
        }
        EXPECT_EQ(selectionList[s.count].number, -1);
        EXPECT_EQ(GetSelectionIndex(selectionCurrentRow), 22) << s.capacity;
    }
}

TEST_F(PreferencePages, ChecksTelradAndConstants) {
    Open(1476);
    Ui([] { pl::CheckDlgButton(GetCurrentFormDialog(), 1514, true); });
    EXPECT_EQ(Text(1532), "0.5");
    SetText(1533, "2.46");
    Command(1338);  // Next to page 6
    EXPECT_EQ(preferences.word[kPrefTelrad], 1);
    EXPECT_EQ(preferences.word[129], 25);  // 24.6 + 0.5 truncated
    EXPECT_EQ(preferences.word[119], 0);
    ASSERT_EQ(GetCurrentFormId(), 1337);
    EXPECT_EQ(Text(1478), "66.184");
    EXPECT_EQ(Text(1477), "117.0");  // two decimals cut to 5 characters
    SetText(1478, "69.2");
    SetText(1565, "45");
    Choose(1422, 1);
    Command(1340);
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), 69.2f);
    EXPECT_EQ(preferences.word[kPrefPlatformDelay] & 0xFFFF, 45);
    EXPECT_EQ(preferences.word[kPrefDistFormat] >> 16, 1);
}

TEST_F(PreferencePages, HelpTextsAreExact) {
    Open(1400);
    Command(1485);
    EXPECT_EQ(BoxText(),
              "\x95 Select your drive from the list or tap None if yours is not present.\n"
              "\x95 Encoders require binary input pulses and negative value for a reverse setting!\n"
              "\x95 If applicable set Scope Port, GPS Port,and Camera Port.");
    AnswerAll();
    Open(1620);
    Command(1623);
    EXPECT_EQ(BoxText(), "Set Star and Object magnitude limit for each Zoom Level.\n");
    AnswerAll();
    Open(1337);
    Command(1492);
    EXPECT_EQ(BoxText(),
              "\x95 Jupiter's Great Red Spot (GRS) longitude is used to compute its transit time.\n"
              "\x95 DeltaT (difference between \"Terrestrial Time\" TT, and \"Universal Time\" UT) is used to "
              "compute Topocentric positions.");
    AnswerAll();
}

// Page 3's help, which speaks of the eyepiece, names the eyepiece file the
// lists are read from when it is missing (the lists then hold only "None").
TEST_F(PreferencePages, EyepieceHelpNamesTheMissingFile) {
    Open(1450);
    Command(1469);
    EXPECT_EQ(BoxText(),
              "\x95 Set Rendering to Precision to get more accurate star and object positions.\n"
              "\x95 Select your eyepiece to display its field of view within Skychart.\n"
              "Not found: data/zendavori_eyepiece.ppc");
    AnswerAll();
}

}  // namespace
