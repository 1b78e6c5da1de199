// ServoCat and SkyCommander, the hand controllers that work in J2000, against
// a pseudo-terminal: the exact goto bytes, gotos that are never a success,
// their position replies, and reads turned to the place of date.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "scope/controller_link.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/servocat.h"
#include "scope/sky_commander.h"
#include "support/drive_peer_fixture.h"
#include "ui/shell_state.h"

namespace {

constexpr int kServoCat = 13;
constexpr int kSkyCommander = 19;

using Texts = std::vector<std::string>;

// External source, no pointing model, places of date (mode -1): the mount
// gets the place as given. ServoCat fractions are truncated thousandths
// ("%03d"; a sixteenth of an hour is 062), dec 0 takes '-', and the place is
// followed by the exclusive-or of its 14 bytes (the maker's example: 0x08
// for 01.000 +20.000; the others worked by hand); its answer 'G' or silence
// is no message, 'X' a refusal. SkyCommander rounds to three decimals and
// writes two integer digits even where the rounding carries (9.9996 ->
// 10.000, 23.9996 h -> 00.000).
TEST_F(DrivePeerTest, GotoBytesAndNoSuccess) {
    const struct {
        int drive;
        double ra, dec;
        std::string ack, bytes;
        Texts texts;
        std::string detail;
    } cases[] = {
        {kServoCat, 1.0, 20.0, "G", "g01.000 +20.000\x08", {}, ""},
        {kServoCat, 5.5, -10.25, "", "g05.500 -10.250\x0b", {}, ""},
        {kServoCat, 5.0625, 45.5, "G", "g05.062 +45.500\x0e", {}, ""},
        {kServoCat, 5.1, 0.0, "G", "g05.100 -00.000\x09", {}, ""},
        {kServoCat, 5.5, -10.25, "X", "g05.500 -10.250\x0b", {"Goto failed"}, "The mount refused the coordinates"},
        {kServoCat, 5.5, -10.25, "?", "g05.500 -10.250\x0b", {"Goto failed"}, "The mount's reply was not understood"},
        {kSkyCommander, 5.5, 7.25, "A", "L0 05.500 +07.250\n", {}, ""},
        {kSkyCommander, 5.5, -45.5, "A", "L0 05.500 -45.500\n", {}, ""},
        {kSkyCommander, 12.25, 7.25, "A", "L0 12.250 +07.250\n", {}, ""},
        {kSkyCommander, 9.9996, -9.9996, "A", "L0 10.000 -10.000\n", {}, ""},
        {kSkyCommander, 23.9996, 0.0, "A", "L0 00.000 +00.000\n", {}, ""},
        {kSkyCommander, 5.5, 7.25, "N", "L0 05.500 +07.250\n",
         {"Fail to get SkyCommander ack for ra & dec set.", "Goto failed"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        NewRun();
        ResetShellState();
        peer.ClearRules();
        peer.Respond(c.bytes, c.ack);
        preferences.word[kPrefDriveId] = c.drive;
        EXPECT_EQ(ScopeGoto(c.ra, c.dec, -1), 0);
        EXPECT_EQ(Sent(c.bytes), c.bytes);
        EXPECT_EQ(services.Texts(), c.texts);
        if (!c.texts.empty()) {
            EXPECT_EQ(services.messages.back().detail, c.detail);
        }
        EXPECT_NE(GetCurrentFormId(), 2400);
        EXPECT_EQ(scopeFormRequested, 0);
    }
}

// Replies to CR: ServoCat up to 16 bytes " hh.hhh sdd.ddd" and a NUL (the
// blank may be missing), SkyCommander up to 16 "hh.hhhh sdd.ddd". Short,
// digitless and out-of-range replies fail, and the dispatcher's read says so.
TEST_F(DrivePeerTest, PositionRepliesOfTheControllers) {
    using namespace std::string_literals;
    const struct {
        int drive;
        std::string reply;
        double ra, dec;  // NaN: the read fails
        std::string failure;
    } cases[] = {
        {kServoCat, " 20.647 +35.000\0"s, 20.647, 35.0, ""},
        {kServoCat, " 05.123 -07.654\0"s, 5.123, -7.654, ""},
        {kServoCat, " 18.009 -45.009\0"s, 18.009, -45.009, ""},
        {kServoCat, "05.500 -10.250", 5.5, -10.25, ""},
        {kServoCat, "05.500 -10.25", NAN, NAN, "Failed to get Servocat RA and Dec"},
        {kServoCat, "ab.cde -10.250", NAN, NAN, "Failed to get Servocat RA and Dec"},
        {kSkyCommander, "05.5000 +07.250", 5.5, 7.25, ""},
        {kSkyCommander, "24.0000 -90.000", 0.0, -90.0, ""},
        {kSkyCommander, "05.5000 +97.250", NAN, NAN, "Failed to get SkyCommander RA and Dec."},
        {kSkyCommander, "", NAN, NAN, "Failed to get SkyCommander RA and Dec."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(PrintableCommand(c.reply));
        NewRun();
        peer.ClearRules();
        peer.Respond("\r", c.reply);
        preferences.word[kPrefDriveId] = c.drive;
        ASSERT_EQ(ScopeConnect(), 1);
        double ra = -1.0, dec = -1.0;
        bool ok = c.drive == kServoCat ? QueryServoCat(&ra, &dec) : QuerySkyCommander(&ra, &dec);
        EXPECT_EQ(ok, c.failure.empty());
        EXPECT_DOUBLE_EQ(ra, ok ? c.ra : 0.0);
        EXPECT_DOUBLE_EQ(dec, ok ? c.dec : 0.0);
        EXPECT_EQ(ScopeGetRaDec(&ra, &dec), ok ? 1 : 0);
        EXPECT_EQ(services.Texts(), ok ? Texts{} : Texts{c.failure});
    }
}

// The dispatcher's read turns the J2000 reading into the place of date at
// the clock (2024-01-01 0h UT, 24.0 years after J2000). Expected shift: the
// annual precession of Meeus, Astronomical Algorithms, formula 21.1; the
// nutation it leaves out is below 1.2 s of time and 10" here.
TEST_F(DrivePeerTest, ReadsAreTurnedToThePlaceOfDate) {
    preferences.word[kPrefDriveId] = kServoCat;
    peer.Respond("\r", "05.500 -10.250");
    double ra, dec;
    ASSERT_EQ(ScopeGetRaDec(&ra, &dec), 1);
    const double years = (2460310.5 - 2451545.0) / 365.25, deg = std::numbers::pi / 180.0;
    double alpha = 5.5 * 15.0 * deg, delta = -10.25 * deg;
    double raShift = (3.07496 + 1.33621 * std::sin(alpha) * std::tan(delta)) * years / 3600.0;
    double decShift = 20.0431 * std::cos(alpha) * years / 3600.0;
    EXPECT_NEAR((ra - 5.5 - raShift) * 3600.0, 0.0, 1.2);
    EXPECT_NEAR((dec + 10.25 - decShift) * 3600.0, 0.0, 10.0);
}

}  // namespace
