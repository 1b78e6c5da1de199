#include "platform/clock.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/core_internal.h"

namespace pl {
namespace {

constexpr uint64_t kVirtualStartTick = 1000;
constexpr int64_t kMsPerDay = 86400000;

std::mutex clockMutex;
std::atomic<bool> virtualMode{false};
std::atomic<uint64_t> virtualNow{kVirtualStartTick};
int64_t virtualBaseLocalMs = 0;  // local time at virtualBaseTick, ms since 1970 (as if UTC)
uint64_t virtualBaseTick = kVirtualStartTick;
std::string patternOverride;

const std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();

int64_t LocalTimeToMs(const LocalTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay +
           ((t.hour * 60LL + t.minute) * 60LL + t.second) * 1000LL + t.milliseconds;
}

LocalTime MsToLocalTime(int64_t ms) {
    int64_t days = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    int64_t rest = ms - days * kMsPerDay;
    LocalTime t;
    CivilFromDays(days, &t.year, &t.month, &t.day);
    t.hour = static_cast<int>(rest / 3600000);
    t.minute = static_cast<int>(rest / 60000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.milliseconds = static_cast<int>(rest % 1000);
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    return t;
}

// A strftime date format turned into a short date pattern.
std::string PatternFromStrftime(const char* format) {
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'd': out += "dd"; break;
        case 'e': out += "d"; break;
        case 'm': out += "MM"; break;
        case 'y': out += "yy"; break;
        case 'Y': out += "yyyy"; break;
        case 'D': out += "MM/dd/yy"; break;
        case 'F': out += "yyyy-MM-dd"; break;
        default: break;  // names of days and months are not part of a short date
        }
    }
    return out;
}

std::string LocalePattern() {
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc) return "MM/dd/yy";
    std::string pattern = PatternFromStrftime(nl_langinfo_l(D_FMT, loc));
    freelocale(loc);
    return pattern.empty() ? "MM/dd/yy" : pattern;
}

void AppendNumber(std::string* out, int value, int digits) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < digits) s.insert(s.begin(), '0');
    *out += s;
}

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day) {
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    *day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

uint32_t GetTickCount() {
    detail::CheckAbort();
    return static_cast<uint32_t>(detail::ClockNow());
}

void GetLocalTime(LocalTime* out) {
    if (virtualMode) {
        std::lock_guard<std::mutex> lock(clockMutex);
        *out = MsToLocalTime(virtualBaseLocalMs + static_cast<int64_t>(virtualNow - virtualBaseTick));
        return;
    }
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    out->year = tm.tm_year + 1900;
    out->month = tm.tm_mon + 1;
    out->day = tm.tm_mday;
    out->hour = tm.tm_hour;
    out->minute = tm.tm_min;
    out->second = tm.tm_sec;
    out->milliseconds = static_cast<int>(ts.tv_nsec / 1000000);
    out->dayOfWeek = tm.tm_wday;
}

std::string GetShortDatePattern() {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        if (!patternOverride.empty()) return patternOverride;
    }
    return LocalePattern();
}

std::string FormatShortDate(int year, int month, int day) {
    std::string pattern = GetShortDatePattern();
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == '\'') {
            size_t end = pattern.find('\'', i + 1);
            if (end == std::string::npos) end = pattern.size();
            out += pattern.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == 'd') AppendNumber(&out, day, run >= 2 ? 2 : 1);
        else if (c == 'M') AppendNumber(&out, month, run >= 2 ? 2 : 1);
        else if (c == 'y') {
            if (run <= 2) AppendNumber(&out, ((year % 100) + 100) % 100, run);
            else AppendNumber(&out, year, 4);
        } else out.append(run, c);
        i += run;
    }
    return out;
}

void Sleep(uint32_t ms) {
    detail::CheckAbort();
    if (virtualMode) AdvanceVirtualClock(ms);
    else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(const LocalTime& start) {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        virtualNow = kVirtualStartTick;
        virtualBaseTick = kVirtualStartTick;
        virtualBaseLocalMs = LocalTimeToMs(start);
        patternOverride = "M/d/yyyy";
        virtualMode = true;
    }
    std::lock_guard<std::mutex> lock(detail::Mutex());
    detail::WakeLocked();
}

void UseRealClock() {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        virtualMode = false;
        patternOverride.clear();
    }
    std::lock_guard<std::mutex> lock(detail::Mutex());
    detail::WakeLocked();
}

bool IsVirtualClock() { return virtualMode; }

void AdvanceVirtualClock(uint32_t ms) {
    virtualNow += ms;
    std::lock_guard<std::mutex> lock(detail::Mutex());
    detail::WakeLocked();
}

void SetVirtualLocalTime(const LocalTime& time) {
    std::lock_guard<std::mutex> lock(clockMutex);
    virtualBaseTick = virtualNow;
    virtualBaseLocalMs = LocalTimeToMs(time);
}

void SetShortDatePattern(const std::string& pattern) {
    std::lock_guard<std::mutex> lock(clockMutex);
    patternOverride = pattern;
}

namespace detail {

uint64_t ClockNow() {
    if (virtualMode) return virtualNow;
    auto elapsed = std::chrono::steady_clock::now() - realStart;
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace detail
}  // namespace pl
