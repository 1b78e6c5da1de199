// Object identity through the index of the number tables' rows: the index
// follows the object file it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_identity.h"
#include "catalog_test.h"
#include "support/object_file_fixture.h"

namespace {

using ObjectIdentityTest = CatalogTest;

// The shared records put NGC 224 on Messier row 30 (M31) and on no other row;
// a file whose NGC 224 is numbered 223 holds no M31, and under the full file's
// record ranges the small file's NGC objects are out of reach. Each case
// changes the file (every database reopened, or the object file opened anew in
// its slot) or only the ranges, and the rows found must be the new file's:
// (rows of NGC 224, whether M31's row was read).
TEST_F(ObjectIdentityTest, RowsFollowTheObjectFileReopenedOrRanged) {
    const std::vector<ObjectRecord> shared = fixture::SharedObjectRecords();
    std::vector<ObjectRecord> withoutM31 = shared;
    withoutM31[89].number = 223;
    enum Open { kReopenAll, kOpenSlot, kRangesOnly };
    const struct {
        const std::vector<ObjectRecord>* file;
        Open open;
        bool fullRanges;
        int ngc224Rows;
        bool m31Read;
    } cases[] = {
        {&shared, kReopenAll, false, 1, true},  {&withoutM31, kReopenAll, false, 0, false},
        {&shared, kOpenSlot, false, 1, true},   {&shared, kRangesOnly, true, 0, false},
        {&shared, kRangesOnly, false, 1, true},
    };
    const ObjectRecord ngc224 = fixture::SharedObject(kDesignationNgc, 224);
    const ObjectRecord finderM31 = fixture::SharedObject(kDesignationMessier, 30);
    for (const auto& c : cases) {
        if (c.open == kReopenAll) {
            folder.WriteDb("data\\zendavori_obj_1k.ppc", 26, 64, ObjectFile(*c.file));
            ReopenDatabases(1);
        } else if (c.open == kOpenSlot) {
            OpenObjects(*c.file, "zendavori_obj_1k.ppc");
        } else {
            UseObjectFileRanges(c.fullRanges);
        }
        ASSERT_NE(objectDb, nullptr);
        EXPECT_EQ(std::make_tuple(IdentifyObject(ngc224, 6, 0).rowCount, IdentifyObject(finderM31, 2, 30).allRows),
                  std::make_tuple(c.ngc224Rows, c.m31Read))
            << &c - cases;
    }
}

// What a list's entries name, held for a search or an import, is what
// NamesObject finds among them, with the object file (every row of an object
// known) and without it (an entry's own row, else its key). Each entry is
// looked for among the others: M31 as the finder, as a search and as the
// object step list it, M1 as the object step does, C14 as the Caldwell step
// does, a Messier number beyond the table, a user object, the file's Messier
// 45 and the finder's M46 (Messier 40, number 45, row 45).
TEST_F(ObjectIdentityTest, ListedObjectsNameWhatNamesObjectFinds) {
    OpenObjects(fixture::SharedObjectRecords(), "zendavori_obj_1k.ppc");
    UseObjectFileRanges(false);
    const struct {
        int designation, number, source, row;
    } keys[] = {{40, 30, 2, 30}, {42, 224, 2, 30}, {42, 224, 6, 0}, {42, 1952, 6, 0}, {42, 869, 3, 13},
                {40, 200, 0, 200}, {63, 5, 15, 5}, {40, 45, 6, 0}, {40, 45, 2, 45}};
    std::vector<SelectionEntry> entries;
    for (const auto& k : keys) {
        SelectionEntry e{};
        e.designation = static_cast<int16_t>(k.designation), e.number = k.number;
        e.source = static_cast<uint16_t>(k.source), e.sourceIndex = static_cast<uint16_t>(k.row);
        entries.push_back(e);
    }
    for (bool open : {true, false}) {
        if (!open) CloseRecordDb(&objectDb);
        for (std::size_t probe = 0; probe < entries.size(); ++probe) {
            std::vector<SelectionEntry> others = entries;
            others.erase(others.begin() + static_cast<std::ptrdiff_t>(probe));
            const ListedObjects listed(others.data(), static_cast<int>(others.size()));
            const auto& k = keys[probe];
            const ObjectIdentity id = IdentifyObject(fixture::SharedObject(k.designation, k.number), k.source, k.row);
            const bool named = std::any_of(others.begin(), others.end(), [&](auto& e) { return NamesObject(e, id); });
            EXPECT_EQ(listed.Names(id), named) << open << " " << probe;
        }
    }
}

}  // namespace
