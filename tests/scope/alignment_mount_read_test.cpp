// The alignment forms take a star only from a reading of the mount: the
// LX200 GPS (drive 5) played by a pseudo-terminal on port 1, or with no port,
// over the running program and its sky chart (51 N 0 E, 5 March 2024 21:10),
// on both screens. A failed read was taken as a reading of 0 h, 0 deg: an
// N-star entry added or overwritten with it, a 2-star star re-stamped with it
// and aligned on.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chart/scope_chart_fixture.h"
#include "scope/alignment_restore.h"
#include "scope/meade.h"
#include "scope/n_star.h"
#include "scope/serial_link.h"
#include "scope/two_star.h"
#include "support/both_screens.h"
#include "support/serial_peer.h"

namespace {

using namespace sky_chart_test;

const NamedStar kStars[] = {{"Adhara", 10, 180, 40}, {"Bellatrix", 20, 270, 35}};
const std::string kHighDec = "+45\xDF" "30'15#";  // the probe's and the read's declination

// How a read fails, and the one box the user sees (the driver's own texts).
struct FailedRead {
    const char* what;
    int port;              // 0: "None"
    bool answersProbe;     // the connect's "#:GD#"
    const char* raAnswer;  // to "#:GR#"; empty: none
    const char* box;
};
const FailedRead kFailedReads[] = {
    {"no port", 0, false, "", "No communication port is selected.\n\nPlease select one using Preference 1/6."},
    {"garbage", 1, true, "xx#", "Failed to get Meade RA and Dec.\n"},
    {"no answer to the read", 1, true, "", "Failed to get Meade RA and Dec.\n"},
    {"no answer at all", 1, false, "", "Fail to open Meade connection\n"},
};

class MountRead : public OnBothScreens<ScopeChartTest> {
protected:
    void SetUp() override {
        Start(GetParam().width, GetParam().height, GetParam().dpi);
        WriteNamedStars(folder.path(), kStars);
        Ui([] {
            ResetStarCatalog();
            ReopenDatabases(1);
            preferences.word[kPrefAlignMethod] = 1;  // "External": Add needs no 2-star alignment
            preferences.word[kPrefDriveId] = 0;
            preferences.word[kPrefMountType] = 0;
            preferences.word[kPrefRaFormat] = 1;
            preferences.word[kPrefDecFormat] = 0;
            restoreOffered = 0;
        });
    }
    void TearDown() override {
        ScopeChartTest::TearDown();
        Ui([] {
            ResetSerialLink();
            ResetNStarList();
            ResetNStar();
            ResetTwoStar();
            ResetAlignmentModel();
            ResetAlignmentRestore();
        });
    }
    // A new run with the mount of `r` (nullptr: one at 05:30:00, +45:30:15).
    void Mount(const FailedRead* r) {
        peer.ClearRules();
        if (!r || r->answersProbe) peer.Respond("#:GD#", kHighDec);
        if (!r || *r->raAnswer) peer.Respond("#:GR#", r ? r->raAnswer : "05:30:00#");
        peer.TakeReceived();
        const int port = r ? r->port : 1;
        Ui([port] {
            ResetSerialLink();
            ResetScopeDispatch();
            ResetMeadeDriver();
            preferences.word[kPrefDriveId] = kMeadeLx200Gps;
            preferences.word[kPrefScopePort] = port;
        });
    }
    void ChooseOnChart(int button, const char* name, int form) {
        FormCommand(button);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        int position = 0;
        while (position < selectionCount && std::strcmp(selectionList[position].name, name) != 0) ++position;
        Choose(kChartObjectTrigger, kChartObjectList, FindSelectionIndex(position));
        FormCommand(kChartBack);
        ASSERT_EQ(GetCurrentFormId(), form) << BoxText();
    }
    std::vector<std::string> Texts(std::initializer_list<int> ids) const {
        std::vector<std::string> texts;
        for (int id : ids) texts.push_back(pl::GetDlgItemText(GetCurrentFormDialog(), id));
        return texts;
    }
    std::string SavedList() const {
        std::ifstream in(folder.path() / "userlists" / "nstar.nsa", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    SerialPeer peer{1};
};

// N-star: a failed read adds no entry, and Sync changes neither the entry,
// its fields, the mean error nor the saved list; each shows one box. A mount
// that answers is taken as it answers (05:30:00 x 15 = 82.5 deg).
TEST_P(MountRead, NStarTakesNoStarWithoutAReading) {
    Ui([] {
        AlignmentStar& e = GetAlignmentStarList()[0];
        e = AlignmentStar{};
        std::strcpy(e.name, "E0");
        e.ra = e.reading1 = e.model1 = e.corrected1 = e.measured1 = 5.0;
        e.dec = e.reading2 = e.model2 = e.corrected2 = e.measured2 = 20.0;
        alignmentStarCount = 1;
        nStarCurrentRow = 0;
    });
    MainCommand(1006);
    FormCommand(kNStarSave);
    const std::string saved = SavedList();
    const AlignmentStar entry = GetAlignmentStarList()[0];
    const auto fields = {kTrueAxis1Field, kTrueAxis2Field, kCalcAxis1Field, kCalcAxis2Field, kMeanErrorField};
    const std::vector<std::string> shown = Texts(fields);
    for (const FailedRead& r : kFailedReads) {
        SCOPED_TRACE(r.what);
        Mount(&r);
        ChooseOnChart(kNStarAdd, "Adhara", kNStarForm);
        EXPECT_EQ(TakeBox(), r.box);
        EXPECT_EQ(alignmentStarCount, 1);
        FormCommand(kNStarSync);
        EXPECT_EQ(TakeBox(), r.box);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_EQ(std::memcmp(&GetAlignmentStarList()[0], &entry, sizeof entry), 0);
        EXPECT_EQ(Texts(fields), shown);
        FormCommand(kNStarSave);
        EXPECT_EQ(SavedList(), saved);
    }
    Mount(nullptr);
    ChooseOnChart(kNStarAdd, "Adhara", kNStarForm);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    ASSERT_EQ(alignmentStarCount, 2);
    EXPECT_DOUBLE_EQ(GetAlignmentStarList()[1].measured1, 82.5);
    EXPECT_DOUBLE_EQ(GetAlignmentStarList()[1].measured2, 45.0 + 30.0 / 60 + 15.0 / 3600);
}

// 2-star: a failed Read keeps star 1 as it was read (its own place, no
// drive); star 2 chosen while reads fail keeps empty reading fields, and
// Align refuses it. A later Read of the mount makes it a star to align on.
TEST_P(MountRead, TwoStarKeepsAStarWithoutAReadingOutOfTheAlignment) {
    MainCommand(1005);
    ChooseOnChart(kChooseStar1, "Adhara", kTwoStarForm);
    const AlignmentStar star1 = alignStar1;
    const std::vector<std::string> shown = Texts({kTimeField1, kAxis1Field1, kAxis2Field1});
    for (const FailedRead& r : kFailedReads) {
        SCOPED_TRACE(r.what);
        Mount(&r);
        harness.advance(5000);
        FormCommand(kReadStar1);
        EXPECT_EQ(TakeBox(), r.box);
        EXPECT_EQ(std::memcmp(&alignStar1, &star1, sizeof star1), 0);
        EXPECT_EQ(Texts({kTimeField1, kAxis1Field1, kAxis2Field1}), shown);
        ChooseOnChart(kChooseStar2, "Bellatrix", kTwoStarForm);
        EXPECT_EQ(TakeBox(), r.box);
        EXPECT_EQ(Texts({kTimeField2, kAxis1Field2, kAxis2Field2}), std::vector<std::string>(3, ""));
        FormCommand(kTwoStarAlign);
        EXPECT_EQ(TakeBox(), "Star 2 has no scope reading.\nCenter the scope on it, then tap Read.");
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_EQ(IsAlignmentValid(), 0);
    }
    Mount(nullptr);
    FormCommand(kReadStar2);
    EXPECT_EQ(Texts({kAxis1Field2}), std::vector<std::string>{"05:30:00"});
    FormCommand(kTwoStarAlign);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(IsAlignmentValid(), 1);
}

// The program's own alignment, made on Adhara and Bellatrix without a drive,
// stays valid while star 2 is chosen again (Adhara) and each read fails; the
// N-star Calc, which builds the alignment again from the two stars, refuses
// then with the form's message and leaves the model as it was. It fitted it
// to Adhara's place and Bellatrix's reading. Once star 2 is read, Calc fits.
TEST_P(MountRead, NStarFitTakesNoStarWithoutAReading) {
    Ui([] { preferences.word[kPrefAlignMethod] = 0; });
    MainCommand(1005);
    ChooseOnChart(kChooseStar1, "Adhara", kTwoStarForm);
    ChooseOnChart(kChooseStar2, "Bellatrix", kTwoStarForm);
    FormCommand(kTwoStarAlign);
    ASSERT_EQ(IsAlignmentValid(), 1) << BoxText();
    Ui([] {
        for (int i = 0; i < 4; ++i) {
            AlignmentStar& e = GetAlignmentStarList()[i];
            e = AlignmentStar{};
            e.ra = e.measured1 = 30.0 + 80.0 * i;
            e.dec = e.measured2 = 10.0 * i;
        }
        alignmentStarCount = 4;
    });
    for (const FailedRead& r : kFailedReads) {
        SCOPED_TRACE(r.what);
        Mount(&r);
        MainCommand(1005);
        ChooseOnChart(kChooseStar2, "Adhara", kTwoStarForm);
        EXPECT_EQ(TakeBox(), r.box);
        FormCommand(kTwoStarOk);
        const AlignmentModel model = alignmentModel;
        MainCommand(1006);
        FormCommand(kNStarCalc);
        EXPECT_EQ(TakeBox(), "Star 2 has no scope reading.\nCenter the scope on it, then tap Read.");
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_EQ(std::memcmp(&alignmentModel, &model, sizeof model), 0);
    }
    Mount(nullptr);
    MainCommand(1005);
    FormCommand(kReadStar2);
    FormCommand(kTwoStarOk);
    MainCommand(1006);
    FormCommand(kNStarCalc);
    EXPECT_EQ(TakeBox().rfind("Converge in ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, MountRead, ::testing::ValuesIn(kBothScreens));

}  // namespace
