// Encoder boxes through the dispatcher, against boxes played by a scripted
// line or a pseudo-terminal, and the simulated box; the read-out's refresh.
#include "scope/encoder_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/preferences_file.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/timer.h"
#include "scope/alignment.h"
#include "scope/encoder_offsets.h"
#include "scope/encoder_refresh_form.h"
#include "scope/encoder_simulation.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_place.h"
#include "scope/serial_link.h"
#include "support/draw_fixture.h"
#include "support/reference_table.h"
#include "support/scope_fixture.h"
#include "support/scripted_serial.h"
#include "support/serial_peer.h"
#include "support/temp_program_folder.h"
#include "support/test_site.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"

namespace {

using Texts = std::vector<std::string>;
const std::string kBBoxInit = "Z08192 08192\n";
const std::string kVorlanxInit("z\0\x20\0\x20", 5);

// Drive 1 (it takes no resolutions), 8192 counts a turn on both axes, AZ output.
class EncoderTest : public ScopeTest {
protected:
    EncoderTest() { Select(1, 8192, 8192, 1); }
    static void Select(int drive, int azSteps, int altSteps, int mountType) {
        preferences.word[kPrefDriveId] = drive;
        preferences.word[kPrefEncoderStepsAz] = azSteps;
        preferences.word[kPrefEncoderStepsAlt] = altSteps;
        preferences.word[kPrefMountType] = mountType;
    }
};

// Counts to degrees by hand: 4096 of 8192 is 180 deg, 6144 folds to -90 deg of
// altitude, a negative step word counts the other way (2048 -> 270 deg). A
// 6-byte reply or a count without a digit is no reading (mended).
TEST_F(EncoderTest, RepliesBecomeDegreesOrFailTheRead) {
    const struct {
        int azSteps, altSteps, mountType;
        std::string reply;
        double first, second;  // both 0: the read fails
        Texts texts;
    } cases[] = {
        {8192, 8192, 1, "+04096\t+06144", 180.0, -90.0, {}},
        {-8192, 8192, 1, "+02048\t+00000", 270.0, 0.0, {}},
        {8192, 8192, 0, "+02048\t-01024", 6.0, -45.0, {}},  // EQ output: azimuth / 15
        {8192, 0, 1, "+04096\t+06144", 0, 0, {"Bad Alt encoder resolution", "Failed to get Encoder Az and Alt"}},
        {0, 8192, 0, "+04096\t+06144", 0, 0, {"Bad Azt encoder resolution", "Failed to get Encoder RA and Dec"}},
        {8192, 8192, 1, "+04096", 0, 0, {"Failed to get Encoder Az and Alt"}},
        {8192, 8192, 1, "+04096\t+-----", 0, 0, {"Failed to get Encoder Az and Alt"}},
    };
    ScriptedSerial line;
    for (const auto& c : cases) {
        services.messages.clear();
        Select(1, c.azSteps, c.altSteps, c.mountType);
        line.Reply(c.reply);
        double first = -1.0, second = -1.0;
        EXPECT_EQ(ScopeGetRaDec(&first, &second), c.texts.empty() ? 1 : 0) << c.reply;
        EXPECT_EQ(std::vector<double>({first, second}), std::vector<double>({c.first, c.second})) << c.reply;
        EXPECT_EQ(services.Texts(), c.texts);
        if (c.texts.size() == 2) {
            EXPECT_EQ(services.messages[0].detail, "Please check.");
        }
    }
}

// A box at counts 2048, 1024 (az 90, alt 45) synced on (80, 40): offsets
// int(10 x 8192 / 360) = 227 and int(5 x 8192 / 360) = 113, in words 221 and
// 220 and the preferences file; reads then give 1821 x 360 / 8192 = 80.024 and
// 911 x 360 / 8192 = 40.034 deg. One sync per zeroing; a box that cannot be
// read sets nothing (mended); a restore fakes no connection (mended).
TEST_F(EncoderTest, SyncSetsTheOffsetsOncePerZeroing) {
    TempProgramFolder folder("encoder");
    ScriptedSerial line;
    double az = 80.0, alt = 40.0, first = 0.0, second = 0.0;
    EXPECT_EQ(SyncEncoder(&az, &alt), 0);
    EXPECT_EQ(encoderOffsets.azOffset, 0);
    for (int i = 0; i < 4; ++i) line.Reply("+02048\t+01024");
    ASSERT_EQ(SyncEncoder(&az, &alt), 1);
    std::ifstream in(folder.path() / kPreferencesFile, std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(file.size(), 16u + 4 * 222);
    EXPECT_EQ((std::vector<int>{encoderOffsets.altOffset, encoderOffsets.azOffset, preferences.word[220],
                                preferences.word[221], uint8_t(file[16 + 4 * 220]), uint8_t(file[16 + 4 * 221])}),
              (std::vector<int>{113, 227, 113, 227, 113, 227}));
    ASSERT_EQ(ScopeGetRaDec(&first, &second), 1);
    EXPECT_NEAR(first, 80.0244, 1e-4);
    EXPECT_NEAR(second, 40.0342, 1e-4);
    double elsewhere = 10.0;
    EXPECT_EQ(SyncEncoder(&elsewhere, &elsewhere), 1);
    EXPECT_EQ(encoderOffsets.azOffset, 227);
    ResetEncoderOffsets();
    EXPECT_EQ(SyncEncoder(&elsewhere, &elsewhere), 1);
    EXPECT_EQ(encoderOffsets.azOffset, 1820);  // int(80 x 8192 / 360)
    RestoreEncoderOffsets(113, 227);
    EXPECT_EQ(IsEncoderConnected(), 0);
    ASSERT_EQ(ScopeGetRaDec(&first, &second), 1);
    EXPECT_NEAR(first, 80.0244, 1e-4);
    EXPECT_TRUE(services.messages.empty());
}

class EncoderPeerTest : public EncoderTest {
protected:
    SerialPeer peer{1};
};

// What each box is sent at its first connect and how long that takes (3500 ms
// to settle, 401 ms of purge and 125 ms after each write, the box's waits);
// a connect after a real close sends nothing again (the drive changes from
// case to case, so each box is sent its own); what one read sends and gives.
// Vorlanx reads 16-bit words, altitude first.
TEST_F(EncoderPeerTest, EachBoxTakesItsResolutionsOnceAndIsRead) {
    const struct {
        int drive;
        std::string init, initReply;
        uint32_t ms;
        std::string query;
    } cases[] = {
        {1, "", "", 3500, "Q"},  {11, "", "", 3500, "Q"}, {16, "", "", 3500, "Q"},
        {3, kBBoxInit, "R", 3500 + 526 + 500, "Q"},
        {12, "R08192\t08192\rI00000\t00000\r", "", 3500 + 526 + 1000 + 526, "Q"},
        {22, "Z\t+08192\t+08192\n", "R", 3500 + 526, "Q"},
        {4, kVorlanxInit + "A", "k", 3500 + 526 + 250 + 526, "ay"},
    };
    for (const auto& c : cases) {
        ResetSerialLink();
        peer.ClearRules();
        peer.TakeReceived();
        preferences.word[kPrefDriveId] = c.drive;
        if (!c.initReply.empty()) peer.Respond(c.drive == 4 ? kVorlanxInit : c.init, c.initReply);
        peer.Respond("Q", std::string(c.drive == 16 ? "\x06" : "") + "+04096\t+02048");
        peer.Respond("a", "Y");
        peer.Respond("y", std::string("\0\x08\0\x10", 4));
        EXPECT_EQ(Elapsed([] { EXPECT_EQ(ScopeConnect(), 1); }), c.ms) << c.drive;
        SetSerialPersistent(0);
        ScopeDisconnect();
        ASSERT_EQ(ScopeConnect(), 1);
        double az = 0.0, alt = 0.0;
        int azCount = 0, altCount = 0;
        ASSERT_EQ(QueryAzAltEncoder(&az, &alt, &azCount, &altCount), 1);
        EXPECT_TRUE(peer.WaitReceived(c.query));
        EXPECT_EQ(peer.TakeReceived(), c.init + c.query) << c.drive;
        EXPECT_EQ((std::vector<double>{az, alt, double(azCount)}), (std::vector<double>{180, 90, 4096})) << c.drive;
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(EncoderPeerTest, FaultsAreReportedAndDisconnect) {
    double az, alt;
    int azCount, altCount;
    auto read = [&] { return QueryAzAltEncoder(&az, &alt, &azCount, &altCount); };
    EXPECT_EQ(read(), 0);
    for (int drive : {3, 21}) {  // BBox silent; SkyWizard 21 never connects
        preferences.word[kPrefDriveId] = drive;
        EXPECT_EQ(ScopeConnect(), 0);
        EXPECT_EQ(IsSerialOpen(), 0);
    }
    preferences.word[kPrefDriveId] = 4;
    peer.Respond(kVorlanxInit, "k");
    peer.Respond("a", "N");
    ASSERT_EQ(ScopeConnect(), 1);
    EXPECT_EQ(read(), 0);
    EXPECT_EQ(IsEncoderConnected(), 0);
    preferences.word[kPrefDriveId] = 12;  // Ouranos on a port left open, its box gone
    ASSERT_EQ(ScopeConnect(), 1);
    ScopeDisconnect();
    ResetEncoderOffsets();
    peer.HangUp();
    EXPECT_EQ(ScopeConnect(), 0);
    EXPECT_EQ(IsSerialOpen(), 0);
    EXPECT_EQ(services.Texts(), (Texts{"Connection not open!", "Fail to open encoder connection",
                                       "Fail to open encoder connection", "Bad encoder status", "Serial connection lost",
                                       "Can't initialize encoder resolution", "Fail to open encoder connection"}));
}

// The box's line goes: the live reading says so once, then waits silently
// for a connect (the chart and the read-out poll it several times a second).
TEST_F(EncoderPeerTest, LostLineGivesOneBoxOverTenReadings) {
    peer.Respond("Q", "+04096\t+02048");
    ASSERT_EQ(ScopeConnect(), 1);
    peer.HangUp();
    for (int i = 0; i < 10; ++i) {
        double ra = -1.0, dec = -1.0;
        EXPECT_EQ(ScopeGetPosition(&ra, &dec), 0);
        EXPECT_EQ(ra, 0.0);
    }
    EXPECT_EQ(services.Texts(), Texts{"Serial connection lost"});
}

// Drive 3 reading az 180, alt 45 at latitude 45. Without an alignment the
// place is at the clock's sidereal time theta (by hand: RA = theta +
// atan2(0, 1), Dec = asin(-1/2 + 1/2)), for EQ output too (mended: its
// azimuth / 15 was taken as degrees). With the alignment tests' known
// rotation at 20:00:00 (RA 10 h, Dec 0 read at az 180, alt 45; RA 4 h, Dec 0
// at az 270, alt 0) it is RA 10 h, Dec 0 through ScopeToSky.
TEST_F(EncoderPeerTest, PositionWithoutAndWithAnAlignment) {
    SetTestSite(45.0, 0.0, 0);
    Select(3, 8192, 8192, 1);
    preferences.word[kPrefAlignMethod] = 0;
    peer.Respond(kBBoxInit, "R");
    peer.Respond("Q", "+04096\t+01024");
    ASSERT_EQ(ScopeConnect(), 1);
    for (int mountType : {1, 0, -1}) {
        preferences.word[kPrefMountType] = mountType < 0 ? 1 : mountType;
        if (mountType < 0) {
            AlignmentStar a{}, b{};
            ParseAlignmentStar(&a, "20:00:00", "10:00:00", "0", "180", "45", "a");
            ParseAlignmentStar(&b, "20:00:00", "04:00:00", "0", "270", "0", "b");
            ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &a, &b), 1);
        }
        pl::SetVirtualLocalTime(pl::LocalTime{2024, 3, 20, 20, 0, 0});
        double ra = -1.0, dec = -1.0;
        ASSERT_EQ(ScopeGetPosition(&ra, &dec), 1);
        EXPECT_LT(SeparationArcsec(ra, dec, mountType < 0 ? 10.0 : ClockSiderealTime(), 0.0), 1.0) << mountType;
    }
    EXPECT_TRUE(services.messages.empty());
}

// Simulated: rate 1 (0.5 deg) north moves the altitude count by
// int(8192 x 0.5 / 360) = 11 a read; counts wrap at half a turn; after a stop
// a slew needs a new rate. A goto keeps the target and opens the scope form
// (no success); without an alignment it warns first. Not simulating, slews
// send nothing.
TEST_F(EncoderTest, SimulatedBoxSlewsAndGotoKeepsTheTarget) {
    scopeSimulation = 1;
    Select(3, 8192, 8192, 1);
    ASSERT_EQ(ScopeConnect(), 1);
    std::vector<int> counts;
    auto read = [&counts] {
        double az, alt;
        int azCount, altCount;
        EXPECT_EQ(QueryAzAltEncoder(&az, &alt, &azCount, &altCount), 1);
        counts.push_back(altCount);
    };
    EXPECT_EQ((std::vector<int>{ScopeSetSlewRate(1), ScopeStartSlew(0)}), (std::vector<int>{1, 1}));
    read();
    read();
    simulatedEncoder.altCount = 4090;
    read();
    EXPECT_EQ(ScopeStopSlew(0), 0);
    ScopeStartSlew(0);
    read();
    EXPECT_EQ(counts, (std::vector<int>{11, 22, 4101 - 8192, 4101 - 8192}));
    EXPECT_EQ(IsSerialOpen(), 0);
    preferences.word[kPrefAlignMethod] = 0;
    for (int valid : {1, 0}) {
        ResetShellState();
        alignmentModel.valid = valid;
        EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 0);
        EXPECT_EQ((std::vector<double>{pendingScopeTarget.ra, pendingScopeTarget.dec}), (std::vector<double>{3, 10}));
        EXPECT_EQ(GetCurrentFormId(), 2400);
    }
    EXPECT_EQ(services.Texts(), Texts{"Please first perfom the 2 star aligment"});
    scopeSimulation = 0;
    EXPECT_EQ((std::vector<int>{ScopeSetSlewRate(2), ScopeStartSlew(3), ScopeAbort()}), (std::vector<int>{2, 3, 0}));
}

// A scope form with only the refresh popup: row 6 shows " 4s " and timer 1
// then ticks every 4000 ms.
constexpr pl::ControlTemplate kRefreshControls[] = {
    {pl::kStaticControl, 2305, "", 10, 30, 60, 10, 0},
    {pl::kListViewControl, 2304, "", 10, 40, 60, 80, pl::kHidden | pl::kNoHeader},
};
constexpr pl::DialogTemplate kRefreshDialog[] = {{2400, 0, 0, 137, 168, "", kRefreshControls}};
const pl::ResourceGroup kRefreshGroup = {.dialogs = kRefreshDialog};

class RefreshRateTest : public DrawFixture {
protected:
    testwin::CleanPlatform clean;
    testwin::VirtualClock clock;
};

TEST_F(RefreshRateTest, ChosenRowSetsTheLabelAndTheTimer) {
    pl::SetScreenInfo(pl::kHeadlessScreen);
    pl::AddResourceGroup(kRefreshGroup);
    pl::Hwnd form = pl::CreateDialog(2400, nullptr, [](pl::Hwnd, uint32_t m, pl::WParam, pl::LParam) -> pl::LResult {
        return m == pl::WM_INITDIALOG;
    });
    for (int row = kEncoderRefreshRowCount - 1; row >= 0; --row) AddListRow(form, 2304, kEncoderRefreshRows[row]);
    InitPopupList(form, 2305, 2304, -1, 7, 0);
    SetCurrentFormWindow(form);
    pl::SetTimer(form, 1, 600);
    Set(2304, 6);
    SetEncoderRefreshRate();
    EXPECT_STREQ(RecordOf<PopupRecord>(pl::GetDlgItem(form, 2305))->label, " 4s ");
    std::vector<int> ticks;
    for (uint32_t ms : {3999u, 1u}) {
        pl::AdvanceVirtualClock(ms);
        std::vector<uint32_t> ids = testwin::Drain(false);
        ticks.push_back(static_cast<int>(std::count(ids.begin(), ids.end(), pl::WM_TIMER)));
    }
    EXPECT_EQ(ticks, (std::vector<int>{0, 1}));
    pl::DestroyWindow(form);
    ClearControlRegistry();
    SetCurrentFormWindow(nullptr);
    pl::ClearResourceGroups();
}

}  // namespace
