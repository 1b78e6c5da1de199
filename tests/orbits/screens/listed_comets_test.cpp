// Comet entries of lists kept before a comet record was deleted in the orbit
// assistant, read back after the program was killed and started again, the
// entry of a comet whose record was renamed there, and memo lines of comets of
// like names.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/memo.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_views.h"
#include "core/preferences.h"
#include "objects/list_panel.h"
#include "objects/observing_list_form.h"
#include "objects/selection_add.h"
#include "orbit_form_fixture.h"
#include "orbits/orbit_assistant_state.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "platform/shell.h"
#include "scope/meade_simulation.h"
#include "scope/scope_dispatch.h"
#include "support/both_screens.h"
#include "support/reference_table.h"
#include "support/test_harness.h"
#include "support/test_site.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

// Record 0 is deleted; "P/2003 F2" begins the next record's name; two names
// are longer than an entry's 14 characters.
const char* const kNames[] = {"C/2001 Q4 (NEAT)", "P/2003 F2", "P/2003 F2 (NEAT)", "C/2002 VQ94 (LINEAR)", "2P/Encke"};
struct Kept {
    std::string file;  // "" for the memo
    std::vector<int> records;
};
const Kept kKept[] = {{"last_list", {1, 2, 3, 4}}, {"a", {1, 2}}, {"b", {4, 3}}, {"c", {2, 4, 1}}, {"", {3, 1}}};

using ListedComets = OnBothScreens<OrbitFormTest>;

// The kept list at the start, three list files loaded and a memo imported each
// named their comets but placed them at the next record's.
TEST_P(ListedComets, ListsKeptBeforeADeleteNameAndPlaceTheirOwnComets) {
    std::vector<CometRecord> comets;
    for (int i = 0; i < 5; ++i)  // orbits far apart in the sky
        comets.push_back(TestComet(kNames[i], 2007, 1, 10.0f + i, 1.0f, 0.9f, 30.0f * i, 70.0f * i, 20.0f + 15 * i));
    WriteComets(comets);
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start();
    std::string memo(4096, '\0');
    for (const Kept& k : kKept)  // added as the finder adds, saved as the list manager saves
        Ui([&] {
            AllocSelectionList();
            for (ObjectRecord rec{}; int r : k.records)
                GetObjectByKind(kDesignationComet, r, &rec, nullptr, 0, nullptr, 0, 1, nullptr),
                    AddObjectToSelection(&rec, -1);
            if (!k.file.empty()) SaveUserList(k.file.c_str());
            for (int i = 0; k.file.empty() && i < selectionCount; ++i)
                FormatListLine(&memo[memo.find('\0')], 256, &selectionList[i]);
        });
    Open(), ChooseView(5), Press(2576);  // Del on record 0
    Ui([] { selectionCount = 0; });       // killed: the quit saves no last_list for an empty list
    QuitProgram();
    harness.~Harness();  // started again: a new program in the same folder
    new (&harness) pl::Harness(TestHarnessOptions());
    pl::ResetShell(), ResetSharedState();
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start();
    for (const Kept& k : kKept) {
        Ui([&] {
            if (k.file.empty()) ImportMemoText(memo.c_str());
            else if (k.file != "last_list") LoadUserList((k.file + ".lst").c_str(), 0);
            const DateTime& t = currentDateTime;
            RefreshMovingSelectionEntries(t.year, t.month, t.day, t.hour, t.minute, t.second);
        });
        ASSERT_EQ(selectionCount, static_cast<int>(k.records.size())) << k.file;
        for (int i = 0; i < selectionCount; ++i) {
            const SelectionEntry& e = selectionList[i];
            const int own = k.records[i] - 1;  // the entry's comet, one record earlier now
            ObjectRecord rec{};                // as the finder places it
            Ui([&] { GetObjectByKind(kDesignationComet, own, &rec, nullptr, 0, nullptr, 0, 1, nullptr); });
            EXPECT_EQ(e.name + std::string(" ") + std::to_string(e.number),
                      std::string(kNames[k.records[i]]).substr(0, 14) + " " + std::to_string(own)) << k.file;
            EXPECT_LT(std::hypot(e.rightAscension - rec.rightAscension, e.declination - rec.declination), 1e-3)
                << k.file << " " << e.name;
        }
    }
    const uint32_t changes = selectionListChanges;
    Ui([] { ReopenDatabases(1); });  // each found where it is, placed again from the file reopened
    EXPECT_GT(selectionListChanges, changes);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    Ui([] {  // an entry left without a record leaves the orbit assistant on its comet
        orbitCometIndex = 4;
        SelectionEntry lost = selectionList[0];
        lost.number = -1, lost.sourceIndex = 1, lost.source = kSourceComet;
        BuildListPanelObject(lost, currentDateTime);
    });
    EXPECT_EQ(orbitCometIndex, 4);
}

// The comet of scripts/reference/listed_places_pyephem.py (perihelion 2027 March 10.0, q 1.1 AU,
// e 0.8, w 60, node 90, i 40 degrees) as record 1, after another comet "C/2027 Z10".
std::vector<CometRecord> RenamedComets() {
    return {TestComet("C/2027 Z10", 2027, 5, 1.0f, 2.0f, 0.5f, 10.0f, 200.0f, 80.0f, 8.0f),
            TestComet("C/2027 Z1", 2027, 3, 10.0f, 1.1f, 0.8f, 60.0f, 90.0f, 40.0f, 8.0f)};
}

// "C/2027 Z1" listed, its record renamed "C/2027 Z1 (PanSTARRS)" in the Data view and saved, then
// the list as saved and memo lines of the comet with its own number and with the number of
// "C/2027 Z10": each time the entry holds the renamed record, placed where PyEphem puts the comet
// for London on 16 February 2027 21:10 (within 1'), drawn on the Sky Map and sent by the chart's
// Goto to the simulated mount. The save left the entry without a record (no place, not drawn,
// the goto refused).
TEST_P(ListedComets, RenamedRecordKeepsItsEntry) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "listed_places_pyephem.csv");
    constexpr std::size_t kNow = 10;  // the comet on 16 February 2027
    ASSERT_EQ(ref.Text(kNow, "case") + " " + ref.Text(kNow, "name"), "now C/2027 Z1");
    const double ra = ref.Get(kNow, "ra_h"), dec = ref.Get(kNow, "dec_deg");
    WriteComets(RenamedComets());
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start(2027, 2, 16, 21, 10);
    Ui([] {
        SetTestSite(51.5074, 0.1278, 0);
        preferences.word[kPrefDriveId] = 5, scopeSimulation = 1;
        AllocSelectionList();
        ObjectRecord rec{};
        GetObjectByKind(kDesignationComet, 1, &rec, nullptr, 0, nullptr, 0, 1, nullptr);
        AddObjectToSelection(&rec, -1);
    });
    Open();
    Choose(kOrbitRecordTrigger, kOrbitRecordList, 1);
    ChooseView(5);
    Ui([this] { pl::SetDlgItemText(form, 2565, "C/2027 Z1 (PanSTARRS)"); });
    Press(2575);
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    CometRecord renamed{};
    Ui([&] { GetCometData(1, &renamed); });
    ASSERT_STREQ(renamed.name, "C/2027 Z1 (PanSTARRS)");
    auto memoLine = [this](int number) {  // the entry as the memo export writes it, with `number`
        std::string line(256, '\0');
        SelectionEntry e = selectionList[0];
        e.number = number;
        Ui([&] { FormatListLine(line.data(), line.size(), &e); });
        return line;
    };
    const struct {
        const char* source;
        std::string memo;  // "": the list as the save left it
    } sources[] = {{"the list", ""}, {"memo, its number", memoLine(1)}, {"memo, C/2027 Z10's number", memoLine(0)}};
    for (const auto& c : sources) {
        SCOPED_TRACE(c.source);
        if (!c.memo.empty()) Ui([&] { ImportMemoText(c.memo.c_str()); });
        ASSERT_EQ(selectionCount, 1);
        Ui([] {
            RefreshMovingSelectionEntries(2027, 2, 16, 21, 10, 0);
            selectionCurrentRow = 0, chartView = 0;
            ResetSimulatedMeade();
            GotoForm(kObservingListFormId);
        });
        const SelectionEntry& e = selectionList[0];
        EXPECT_EQ(std::string(e.name) + " " + std::to_string(e.number), "C/2027 Z1 1");
        EXPECT_LT(SeparationArcsec(e.rightAscension, e.declination, ra, dec), 60.0);
        FormCommand(kListSky);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        EXPECT_EQ(e.horizonHidden, 0);
        FormCommand(kChartGoto);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        AnswerAll();
        double mountRa = 0, mountDec = 0;
        Ui([&] {
            for (int i = 0; i < 400; ++i) SimulatedMeadeQuery(&mountRa, &mountDec);
        });
        EXPECT_LT(SeparationArcsec(mountRa, mountDec, ra, dec), 60.0);
    }
}

// Two orbits of "C/2027 Z1", a name that continues it, one that merely begins alike, and two names
// alike in the 14 characters an entry keeps.
const char* const kLikeNamed[] = {"2P/Encke",   "C/2027 Z1", "C/2027 Z1",           "C/2027 Z1 (PanSTARRS)",
                                  "C/2027 Z10", "C/2030 A1", "C/2031 B1 (LINEAR-A)", "C/2031 B1 (LINEAR-B)"};

// Memo lines of comets (a name as typed, with the number it carries) and lists exported through
// the menu each import as the record they carry while it has their name, else the one their whole
// name gives, a second line of a record listed refused; the list then exported and imported again
// gives the same entries. Lines of the second "C/2027 Z1" or of LINEAR-B came back as the first
// record of their 14 characters, and a line repeated without its number was a second entry.
TEST_P(ListedComets, MemoLineNamesTheRecordItCarries) {
    const struct {
        const char* what;
        std::vector<std::pair<const char*, int>> lines;  // or, when none:
        std::vector<int> listed;                         // the records listed as the finder lists them
        std::vector<std::string> entries;                // name and record
        int refused;                                     // "Already loaded:" boxes
    } cases[] = {
        {"the second Z1's number", {{"C/2027 Z1", 2}}, {}, {"C/2027 Z1 2"}, 0},
        {"the second Z1 listed", {}, {2}, {"C/2027 Z1 2"}, 0},
        {"LINEAR-B listed", {}, {7}, {"C/2031 B1 (LIN 7"}, 0},
        {"LINEAR-A with its number and without", {{"C/2031 B1 (LINEAR-A)", 6}, {"C/2031 B1 (LINEAR-A)", -1}}, {},
         {"C/2031 B1 (LIN 6"}, 1},
        {"LINEAR-B and LINEAR-A without numbers", {{"C/2031 B1 (LINEAR-B)", -1}, {"C/2031 B1 (LINEAR-A)", -1}}, {},
         {"C/2031 B1 (LIN 7", "C/2031 B1 (LIN 6"}, 0},
        {"lines of one number", {{"C/2027 Z1", -1}, {"C/2030 A1", -1}}, {}, {"C/2027 Z1 1", "C/2030 A1 5"}, 0},
        {"a number continuing the name", {{"C/2027 Z1", 3}}, {}, {"C/2027 Z1 1"}, 0},
        {"Z10's number", {{"C/2027 Z1", 4}}, {}, {"C/2027 Z1 1"}, 0},
        {"two orbits, a line repeated", {{"C/2027 Z1", 1}, {"C/2027 Z1", 2}, {"C/2027 Z1", 2}}, {},
         {"C/2027 Z1 1", "C/2027 Z1 2"}, 1},
        {"the whole file listed", {}, {0, 1, 2, 3, 4, 5, 6, 7},
         {"2P/Encke 0", "C/2027 Z1 1", "C/2027 Z1 2", "C/2027 Z1 (Pan 3", "C/2027 Z10 4", "C/2030 A1 5",
          "C/2031 B1 (LIN 6", "C/2031 B1 (LIN 7"},
         0},
    };
    std::vector<CometRecord> comets;
    for (int i = 0; i < 8; ++i)
        comets.push_back(TestComet(kLikeNamed[i], 2027, 3, 1.0f + i, 1.1f, 0.8f, 20.0f * i, 40.0f * i, 10.0f + 5 * i));
    WriteComets(comets);
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start(2027, 2, 16, 21, 10);
    const std::filesystem::path lists = folder.path() / "userlists";
    auto exportList = [&] {  // through the menu; its count box answered
        Ui([] { selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount); });
        MainCommand(1034);
        AnswerAll();
    };
    auto importMemo = [&] {  // the one memo of "userlists", as its Import reads it; the boxes answered
        std::string name;
        for (const auto& file : std::filesystem::directory_iterator(lists))
            if (file.path().extension() == ".txt") name = file.path().filename().string();
        static char text[4096];
        Ui([&] { ReadMemoFile(name.c_str(), text, sizeof text) && ImportMemoFileText(name.c_str(), text, false); });
        int refused = 0;
        for (; BoxCount() > 0; Answer(pl::IDOK)) refused += BoxText().rfind("Already loaded:", 0) == 0;
        std::filesystem::remove(lists / name);
        std::vector<std::string> entries;
        for (int i = 0; i < selectionCount; ++i)
            entries.push_back(selectionList[i].name + std::string(" ") + std::to_string(selectionList[i].number));
        return std::pair(entries, refused);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::ofstream memo(lists / "lines.txt"); const auto& [name, number] : c.lines)
            memo << "Comet;" << number << ";" << name << ";COMET; ;01:00:00;10:00:00;9.0;0;0;0\n";
        if (c.lines.empty()) {
            std::filesystem::remove(lists / "lines.txt");
            Ui([&] {
                AllocSelectionList();
                for (ObjectRecord rec{}; int r : c.listed)
                    GetObjectByKind(kDesignationComet, r, &rec, nullptr, 0, nullptr, 0, 1, nullptr),
                        AddObjectToSelection(&rec, -1);
            });
            exportList();
        }
        EXPECT_EQ(importMemo(), std::pair(c.entries, c.refused));
        exportList();
        EXPECT_EQ(importMemo(), std::pair(c.entries, 0)) << "exported and imported again";
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ListedComets, ::testing::ValuesIn(kBothScreens));

}  // namespace
