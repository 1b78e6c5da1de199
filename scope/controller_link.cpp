#include "scope/controller_link.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/preferences.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "scope/serial_link.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The field as a terminated text; empty when the bounds hold nothing.
std::string Field(const char* reply, int length, int begin, int end) {
    end = std::min(end, length);
    if (!reply || begin < 0 || begin >= end) return {};
    return std::string(reply + begin, static_cast<std::size_t>(end - begin));
}

}  // namespace

int OpenScopePort(int baud, bool busy) {
    int port = preferences.word[kPrefScopePort];
    if (busy) StepBusyIndicator(1);
    int ok = SerialOpen(port, baud);
    if (busy) EndBusyIndicator(0);
    if (!ok && port != 0) ShowInformation("Fail to open serial connection", "");
    return ok;
}

std::string PrintableCommand(const char* bytes, std::size_t n) {
    constexpr unsigned char kMountDegree = 223, kDegree = 0xB0;
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == kMountDegree) {
            text += static_cast<char>(kDegree);
        } else if (c < 32 || c > 126) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            text += code;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

void ShowSendFailure(const std::string& command) { ShowInformation("Fail to send string", PrintableCommand(command)); }

bool AcceptSkyPlace(double hours, double degrees, double* ra, double* dec) {
    if (!(hours >= 0.0 && hours <= 24.0 && std::fabs(degrees) <= 90.0)) return false;
    *ra = hours == 24.0 ? 0.0 : hours;
    *dec = degrees;
    return true;
}

bool ReadReplyNumber(const char* reply, int length, int begin, int end, double* value) {
    std::string text = Field(reply, length, begin, end);
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) ++i;
    if (i >= text.size() || !IsDigit(text[i])) return false;
    *value = ParseDouble(text.c_str());
    return true;
}

bool ReadReplyInteger(const char* reply, int length, int begin, int end, long* value) {
    std::string text = Field(reply, length, begin, end);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int64_t magnitude = 0;
    std::size_t first = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > INT32_MAX) return false;
    }
    if (i == first) return false;
    *value = ParseInt(text.c_str());
    return true;
}
