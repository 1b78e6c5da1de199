// The SiderealTech servo controller against a pseudo-terminal: resolutions
// asked once per run, goto, rate, slew and stop commands in encoder steps,
// axis reads, and controllers that give no usable resolution.
#include "scope/sidereal_tech.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/serial_port.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/drive_peer_fixture.h"
#include "ui/shell_state.h"

namespace {

using Texts = std::vector<std::string>;

// X (declination, altitude) 2000000 steps a turn, Y 4000000.
class SiderealTechTest : public DrivePeerTest {
protected:
    SiderealTechTest() {
        preferences.word[kPrefDriveId] = 18;
        Controller("=2000000\r");
    }
    void Controller(const std::string& xResolution, const std::string& yReading = "=1000000\r") {
        peer.ClearRules();
        peer.Respond("XXU\r", xResolution);
        peer.Respond("XXV\r", "=4000000\r");
        peer.Respond("X\r", "=500000\r");
        peer.Respond("Y\r", yReading);
    }
};

// The resolutions are asked at the first connect of the run (at 19200 baud),
// not after a reopen. Steps = angle / 360 x resolution and speeds =
// resolution x 0.27963816350913123 (goto) or x 0.09321272116971041 x {3, 1/2,
// 1/60, 1/120} (rates), truncated: goto (6 h, 30 deg) is Y 90 deg, X 30 deg.
// Any stop stops both axes.
TEST_F(SiderealTechTest, ResolutionsOncePerRunThenGotoRatesSlewsAndStopInSteps) {
    pl::ResetSerialSettingsLog();
    ASSERT_EQ(ScopeConnect(), 1);
    EXPECT_EQ(pl::SerialSettingsLog().back().settings.baud, 19200);
    SetSerialPersistent(0);
    ScopeDisconnect();
    ASSERT_EQ(IsSerialOpen(), 0);
    ASSERT_EQ(ScopeGoto(6.0, 30.0, -1), 1);
    EXPECT_EQ(Sent("X166666S559276\r"), "Q\rXXU\rXXV\rY\rY1000000S1118552\rX166666S559276\r");
    std::string expected;
    const char* rates[] = {"XS559276\rYS1118552\r", "XS93212\rYS186425\r", "XS3107\rYS6214\r", "XS1553\rYS3107\r"};
    const char* starts[] = {"X1073741824\r", "X-1073741824\r", "Y1073741824\r", "Y-1073741824\r"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ScopeSetSlewRate(i), 1);
        EXPECT_EQ(ScopeStartSlew(i), 1);
        EXPECT_EQ(ScopeStopSlew(i), 1);
        expected += std::string(rates[i]) + starts[i] + "XN\rYN\r";
    }
    EXPECT_EQ(ScopeStartSlew(4), 0);
    EXPECT_EQ(ScopeAbort(), 1);
    EXPECT_EQ(Sent(expected + "XN\rYN\r"), expected + "XN\rYN\r");
}

// The goto reads the Y count first and sends the target the short way: the
// count of the target angle plus the whole turns that bring it within half a
// turn of the reading, truncated (Y 4000000 a turn; -30 deg reads -333333,
// 516 deg 5733333). 345 deg from -30 is -15 deg (-166666.7); 117.6 deg from
// 516 is 477.6 deg (5306666.7). Dec 30 deg stays X 166666. A silent Y read
// sends no goto: "Goto failed" with the read's message (then a stop marks
// the end of what was sent).
TEST_F(SiderealTechTest, GotoTakesTheFirstAxisTheShortWay) {
    const struct {
        std::string y;
        double ra;
        std::string sent, failure;  // failure: second line of "Goto failed"
    } cases[] = {
        {"=-333333\r", 23.0, "Y\rY-166666S1118552\rX166666S559276\r", ""},
        {"=5733333\r", 7.84, "Y\rY5306666S1118552\rX166666S559276\r", ""},
        {"", 6.0, "Y\rXN\rYN\r", "Failed to get SiderealTech RA and Dec"},
    };
    ASSERT_EQ(ScopeConnect(), 1);
    Sent("XXV\r");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        Controller("=2000000\r", c.y);
        services.messages.clear();
        bool sent = c.failure.empty();
        EXPECT_EQ(ScopeGoto(c.ra, 30.0, -1), sent ? 1 : 0);
        EXPECT_EQ(sent || (ScopeConnect() && StopSiderealTech()), true);
        EXPECT_EQ(Sent(c.sent), c.sent);
        EXPECT_EQ(services.Texts(), sent ? Texts{} : Texts{"Goto failed"});
        EXPECT_EQ(sent ? "" : services.messages.at(0).detail, c.failure);
    }
}

// X 500000 of 2000000 is 90 deg, Y 1000000 of 4000000 is 90 deg: EQ output
// reads 6 h, 90 deg; AZ output reads the axes (90, 90), and the live reading
// without an alignment puts that zenith at the site's latitude (51 N). Y -1000000 wraps to 270 deg (18 h).
TEST_F(SiderealTechTest, AxisReadsByOutputType) {
    const struct {
        int output;
        std::string y;
        double first, second;
    } cases[] = {{0, "=1000000\r", 6.0, 90.0}, {1, "=1000000\r", 90.0, 90.0}, {0, "=-1000000\r", 18.0, 90.0}};
    for (const auto& c : cases) {
        Controller("=2000000\r", c.y);
        preferences.word[kPrefMountType] = c.output;
        double first, second;
        ASSERT_EQ(ScopeGetRaDec(&first, &second), 1);
        EXPECT_DOUBLE_EQ(first, c.first);
        EXPECT_DOUBLE_EQ(second, c.second);
    }
    preferences.word[kPrefMountType] = 1;
    double ra, dec;
    ASSERT_EQ(ScopeGetPosition(&ra, &dec), 1);
    EXPECT_NEAR(dec, currentSite.latitude, 1e-5);  // the site latitude's float sine and cosine: 0.04"
}

// A resolution below 1 is shown with its value; a silent controller gives
// none. Either way the connect fails and the port is closed.
TEST_F(SiderealTechTest, ControllerWithoutResolutionFailsTheConnect) {
    const struct {
        std::string reply;
        Texts texts;
        std::string detail;
    } cases[] = {
        {"=0\r", {"Wrong Al resolution.\nPlease check the SiderealTech configuration.", "Fail to open SiderealTech connection"}, "0"},
        {"", {"Fail to open SiderealTech connection"}, ""},
    };
    for (const auto& c : cases) {
        NewRun();
        Controller(c.reply);
        EXPECT_EQ(ScopeConnect(), 0);
        EXPECT_EQ(services.Texts(), c.texts);
        EXPECT_EQ(services.messages[0].detail, c.detail);
        EXPECT_EQ(IsSerialOpen(), 0);
        EXPECT_EQ(altResolution, 0);
    }
}

}  // namespace
