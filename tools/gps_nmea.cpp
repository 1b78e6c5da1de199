#include "tools/gps_nmea.h"

#include <cstdio>
#include <memory>

#include "core/preferences.h"
#include "scope/serial_link.h"
#include "tools/shared_port.h"

namespace {

constexpr int kGpsBaud = 9600;
constexpr int kReadPiece = 80;
constexpr int kReadEnough = 800;
constexpr int kEmptyReadLimit = 10;
constexpr std::size_t kScanEnd = 720;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Digits [from, from + count) of the field as a number; -1 when one is missing
// or no digit.
int Number(std::string_view field, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= field.size() || !IsDigit(field[i])) return -1;
        value = value * 10 + (field[i] - '0');
    }
    return value;
}

// DD..DMM.mm.. with `degreeDigits` degree digits, at most `limit` degrees,
// and the hemisphere letter `letter` (one of `letters`): the coordinate text.
void FormatCoordinate(char (&text)[kNmeaTextSize], std::string_view field, char letter, int degreeDigits, int limit,
                      const char* letters) {
    text[0] = '\0';
    const std::size_t point = static_cast<std::size_t>(degreeDigits) + 2;
    int degrees = Number(field, 0, static_cast<std::size_t>(degreeDigits));
    int minutes = Number(field, static_cast<std::size_t>(degreeDigits), 2);
    if (degrees < 0 || minutes < 0 || minutes >= 60) return;
    if (field.size() > point && field[point] != '.') return;
    for (std::size_t i = point + 1; i < field.size(); ++i)
        if (!IsDigit(field[i])) return;
    // The first two decimals of the minutes; a field with fewer has zeros.
    int hundredths = 0;
    for (std::size_t i = point + 1; i < point + 3; ++i)
        hundredths = hundredths * 10 + (i < field.size() ? field[i] - '0' : 0);
    if ((degrees * 60 + minutes) * 100 + hundredths > limit * 6000) return;
    if (letter != letters[0] && letter != letters[1]) return;
    char written[32];
    std::snprintf(written, sizeof written, "%0*d\xB0%02d'%02d %c", degreeDigits, degrees, minutes,
                  hundredths * 60 / 100, letter);
    std::snprintf(text, sizeof text, "%.11s", written);
}

// Field k of a sentence body (the characters after "$" up to "*" or the end
// of its line): field 0 is the name, the others follow each ",".
std::string_view Field(std::string_view body, int k) {
    std::size_t from = 0;
    for (int n = 0; n < k; ++n) {
        from = body.find(',', from);
        if (from == std::string_view::npos) return {};
        ++from;
    }
    std::size_t end = body.find(',', from);
    return body.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
}

// The body of the sentence whose "$" is at `at`: its characters after "$" up
// to "*" or the end of its line. False when its "*hh" does not match.
bool SentenceBody(std::string_view data, std::size_t at, std::string_view* body) {
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t end = data.find_first_of("\r\n$", at + 1);
    std::string_view line = data.substr(at + 1, end == npos ? npos : end - at - 1);
    std::size_t star = line.find('*');
    *body = line.substr(0, star);
    if (star == npos || star + 2 >= line.size()) return true;
    int high = HexValue(line[star + 1]), low = HexValue(line[star + 2]);
    if (high < 0 || low < 0) return true;
    unsigned sum = 0;
    for (char c : *body) sum ^= static_cast<unsigned char>(c);
    return sum == static_cast<unsigned>(high * 16 + low);
}

// The texts of a sentence's latitude field (and the three after it); both
// empty unless both are positions.
void TakePosition(std::string_view body, int latitudeField, char (&latitude)[kNmeaTextSize],
                  char (&longitude)[kNmeaTextSize]) {
    FormatNmeaLatitude(latitude, Field(body, latitudeField), Field(body, latitudeField + 1));
    FormatNmeaLongitude(longitude, Field(body, latitudeField + 2), Field(body, latitudeField + 3));
    if (!latitude[0] || !longitude[0]) latitude[0] = longitude[0] = '\0';
}

}  // namespace

void FormatNmeaLatitude(char (&text)[kNmeaTextSize], std::string_view field, std::string_view hemisphere) {
    std::size_t first = hemisphere.find_first_not_of(" \t");
    char letter = first == std::string_view::npos ? '\0' : hemisphere[first];
    FormatCoordinate(text, field, letter, 2, 90, "NS");
}

void FormatNmeaLongitude(char (&text)[kNmeaTextSize], std::string_view field, std::string_view hemisphere) {
    FormatCoordinate(text, field, hemisphere.empty() ? '\0' : hemisphere[0], 3, 180, "EW");
}

bool ScanNmeaBuffer(std::string_view data, char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]) {
    for (std::size_t i = 0; i < kScanEnd && i < data.size(); ++i) {
        if (data[i] != '$') continue;
        std::string_view name = data.substr(i + 1, 5);
        if (name != "GPRMC" && name != "GPGGA") continue;
        std::string_view body;
        if (!SentenceBody(data, i, &body)) continue;
        bool gga = name == "GPGGA";
        TakePosition(body, gga ? 2 : 3, latitude, longitude);
        if (gga) return true;
    }
    return false;
}

bool ParseNmeaSentence(GpsBuffers* buffers, char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]) {
    int empty = 0;
    while (buffers->received < kReadEnough) {
        int n = SerialRead(buffers->receive + buffers->received, kReadPiece);
        if (n <= 0 && ++empty > kEmptyReadLimit) return false;
        buffers->received += n > 0 ? n : 0;
    }
    return ScanNmeaBuffer(std::string_view(buffers->receive, static_cast<std::size_t>(buffers->received)), latitude,
                          longitude);
}

bool ReadGpsFix(char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]) {
    latitude[0] = longitude[0] = '\0';
    int port = preferences.word[kPrefGpsPort];
    if (port == 0) return false;
    int keepOpen = TakeSharedPort();
    if (OpenPortForOneUse(port, kGpsBaud)) {
        auto buffers = std::make_unique<GpsBuffers>();
        ParseNmeaSentence(buffers.get(), latitude, longitude);
    }
    SerialClose();
    GiveBackSharedPort(keepOpen);
    return latitude[0] != '\0';
}
