#include "support/nmea_sentences_entry.h"

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "platform/clock.h"
#include "scope/serial_link.h"
#include "support/recording_services.h"
#include "support/scripted_serial.h"
#include "tools/gps_nmea.h"

namespace {

// "DD°MM'SS H" with `digits` degree digits and one of the two letters.
bool WellFormed(const char* text, int digits, const char* letters) {
    const std::string_view t(text);
    const std::string_view shape = digits == 2 ? "00\xB0" "00'00 X" : "000\xB0" "00'00 X";
    if (t.size() != shape.size()) return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        bool ok = shape[i] == '0' ? t[i] >= '0' && t[i] <= '9' : shape[i] == 'X' ? std::strchr(letters, t[i]) && t[i]
                                                                              : t[i] == shape[i];
        if (!ok) return false;
    }
    return true;
}

int CheckTexts(bool found, const char* latitude, const char* longitude) {
    if (!found) return latitude[0] || longitude[0] ? 3 : 0;
    if (!WellFormed(latitude, 2, "NS") || !WellFormed(longitude, 3, "EW")) return 1;
    double lat = ParseSignedValue(latitude), lon = ParseSignedValue(longitude);
    return std::fabs(lat) <= 90 && std::fabs(lon) <= 180 ? 0 : 2;
}

}  // namespace

int RunNmeaSentences(const uint8_t* data, std::size_t size) {
    if (!pl::IsVirtualClock()) pl::UseVirtualClock(pl::LocalTime{});
    RecordingServices services;
    ResetSerialLink();
    preferences.word[kPrefGpsPort] = 2;
    char latitude[kNmeaTextSize], longitude[kNmeaTextSize];
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    int result = 0;
    {
        ScriptedSerial line;
        line.input = bytes;
        bool found = ReadGpsFix(latitude, longitude);
        result = IsSerialOpen() ? 4 : CheckTexts(found, latitude, longitude);
    }
    if (result != 0) return result;
    latitude[0] = longitude[0] = '\0';
    ScanNmeaBuffer(bytes, latitude, longitude);
    return CheckTexts(latitude[0] != '\0', latitude, longitude);
}
