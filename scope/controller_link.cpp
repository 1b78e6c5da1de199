#include "scope/controller_link.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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
    if (busy) StepBusyIndicator(1);
    int ok = SerialOpen(preferences.word[kPrefScopePort], baud);
    if (busy) EndBusyIndicator(0);
    if (!ok) ShowInformation("Fail to open serial connection", "");
    return ok;
}

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
