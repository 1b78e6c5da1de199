// Comet entries of lists kept before a comet record was deleted in the orbit
// assistant, read back after the program was killed and started again.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/memo.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "objects/list_panel.h"
#include "objects/selection_add.h"
#include "orbit_form_fixture.h"
#include "orbits/orbit_assistant_state.h"
#include "platform/shell.h"
#include "support/both_screens.h"
#include "support/test_harness.h"

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

INSTANTIATE_TEST_SUITE_P(BothScreens, ListedComets, ::testing::ValuesIn(kBothScreens));

}  // namespace
