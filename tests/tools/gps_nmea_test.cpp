// GPS input: the scan of NMEA 0183 sentences against the public sample
// sentences (GGA and RMC of 48 07.038 N, 11 31.000 E) worked by hand, the
// reading from a scripted line, and the fuzz target's saved inputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "scope/serial_link.h"
#include "support/nmea_sentences_entry.h"
#include "support/recording_services.h"
#include "support/recording_window.h"
#include "support/scripted_serial.h"
#include "tools/gps_nmea.h"

namespace {

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
const std::string kNoFix = "$GPGGA,123519,,,,,0,00,,,M,,M,,*6B\r\n";
const std::string kGsa = "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";
// 0.038 minutes are 2.28 seconds: the first two decimals (03) x 60 / 100 = 1.8, truncated.
const char* const kMunich[] = {"48\xB0" "07'01 N", "011\xB0" "31'00 E"};

std::string Sentence(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

// GSA lines up to `length` bytes, so that what follows starts there.
std::string Padding(std::size_t length) {
    std::string p;
    while (p.size() < length) p += kGsa;
    return std::string(p, 0, length - 1) + "\n";
}

TEST(GpsNmea, ScanTakesGgaAtOnceAndTheLastRmcOtherwise) {
    const std::string cape = Sentence("GPGGA,101500,3354.000,S,01824.000,E,1,07,1.0,10.0,M,30.0,M,,");
    const struct {
        const char* what;
        std::string data;
        bool gga;
        const char *latitude, *longitude;
    } cases[] = {
        {"GGA sample", kGga, true, kMunich[0], kMunich[1]},
        {"RMC sample alone", kRmc + kGsa, false, kMunich[0], kMunich[1]},
        {"RMC, then a GGA elsewhere wins", kRmc + kGsa + cape, true, "33\xB0" "54'00 S", "018\xB0" "24'00 E"},
        {"GGA whose $ is at 719", Padding(719) + kGga, true, kMunich[0], kMunich[1]},
        {"GGA whose $ is at 720", Padding(720) + kGga, false, "", ""},
        {"GGA without a fix after an RMC", kRmc + kNoFix, true, "", ""},
        {"wrong GGA checksum skipped", kRmc + "$GPGGA,1,3354.000,S,01824.000,E,1*00\r\n", false, kMunich[0],
         kMunich[1]},
        {"lower-case checksum", "$GPGGA,1,4807.5,N,01131.5,W,8*7f\r\n", true, "48\xB0" "07'30 N", "011\xB0" "31'30 W"},
        {"no checksum, minutes without decimals", "$GPGGA,1,4807,N,17959.99,W\r\n", true, "48\xB0" "07'00 N",
         "179\xB0" "59'59 W"},
        {"minutes of 60", Sentence("GPGGA,1,4860.000,N,01131.000,E"), true, "", ""},
        {"beyond 90 degrees", Sentence("GPGGA,1,9000.010,N,01131.000,E"), true, "", ""},
        {"beyond 180 degrees", Sentence("GPGGA,1,4807.038,N,18000.500,E"), true, "", ""},
        {"hemisphere X", Sentence("GPGGA,1,4807.038,X,01131.000,E"), true, "", ""},
        {"sentence cut by the next one", "$GPGGA,1,4807.038,N,0113" + kGsa, true, "", ""},
    };
    for (const auto& c : cases) {
        char latitude[kNmeaTextSize] = "", longitude[kNmeaTextSize] = "";
        EXPECT_EQ(ScanNmeaBuffer(c.data, latitude, longitude), c.gga) << c.what;
        EXPECT_STREQ(latitude, c.latitude) << c.what;
        EXPECT_STREQ(longitude, c.longitude) << c.what;
    }
}

// The sample read from the GPS port reads back as 48.11694 N, 11.51667 E;
// port 0 opens nothing; a line that falls silent before 800 bytes gives no
// position. No message in any case, and the port is closed afterwards.
TEST(GpsNmea, ReadGpsFixFromTheGpsPort) {
    testwin::VirtualClock clock;
    const struct {
        int port;
        std::string input;
        bool found;
        int opens;
    } cases[] = {{2, kGga + Padding(800), true, 1}, {0, kGga + Padding(800), false, 0}, {2, kGga + kGsa, false, 1}};
    for (const auto& c : cases) {
        RecordingServices services;
        ScriptedSerial line;
        line.input = c.input;
        preferences.word[kPrefGpsPort] = c.port;
        char latitude[kNmeaTextSize], longitude[kNmeaTextSize];
        EXPECT_EQ(ReadGpsFix(latitude, longitude), c.found) << c.port;
        EXPECT_EQ(line.opens, c.opens);
        EXPECT_FALSE(IsSerialOpen());
        EXPECT_TRUE(services.messages.empty());
        if (!c.found) continue;
        EXPECT_NEAR(ParseSignedValue(latitude), 48.116944, 1e-5);
        EXPECT_NEAR(-ParseSignedValue(longitude), -11.516667, 1e-5);
    }
    preferences.word[kPrefGpsPort] = 0;
}

// Every saved input of the NMEA fuzz target (fuzz/corpus/nmea_sentences: the
// seeds and any input that ever found a fault) passes its checks.
TEST(GpsNmea, EverySavedFuzzInputPassesTheChecks) {
    testwin::VirtualClock clock;
    int files = 0;
    const std::filesystem::path corpus = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus/nmea_sentences";
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(RunNmeaSentences(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 8);
    preferences.word[kPrefGpsPort] = 0;
}

}  // namespace
