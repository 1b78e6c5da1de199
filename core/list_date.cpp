#include "core/list_date.h"

#include <algorithm>
#include <iterator>

#include "core/julian_day.h"
#include "core/preferences.h"

namespace {

struct OwnDate {
    bool kept = false;
    int16_t when[5] = {};  // year, month, day, hour, minute
};
OwnDate own;

void CriteriaDate(int16_t when[5]) {
    const SelectionCriteria& c = selectionCriteria;
    const int16_t words[] = {c.year, c.month, c.day, c.hour, c.minute};
    std::copy(std::begin(words), std::end(words), when);
}

// Whether the date and time (to the minute) lie after the device clock's minute.
bool AfterDeviceClock(const int16_t when[5]) {
    int32_t now[6] = {};
    if (!ReadPreferenceClock(now)) return false;
    return std::lexicographical_compare(now, now + 5, when, when + 5);
}

}  // namespace

DateTime ProgramDateTime() {
    DateTime& t = currentDateTime;
    int32_t now[6] = {};
    if ((dateTimeFixed == 0 || t.year == 0) && ReadPreferenceClock(now))
        t = DateTime{now[0], now[1], now[2], now[3], now[4], now[5]};
    return t;
}

void SetCriteriaDate(int year, int month, int day, int hour, int minute) {
    SelectionCriteria& c = selectionCriteria;
    c.year = static_cast<int16_t>(year);
    c.month = static_cast<int16_t>(month);
    c.day = static_cast<int16_t>(day);
    c.hour = static_cast<int16_t>(hour);
    c.minute = static_cast<int16_t>(minute);
}

void KeepListDateAsOwn() {
    own.kept = true;
    CriteriaDate(own.when);
}

bool TakeListDate(int year, int month, int day, int hour, int minute) {
    if (!IsCalendarDateTime(year, month, day, hour, minute)) {
        const DateTime t = ProgramDateTime();
        SetCriteriaDate(t.year, t.month, t.day, t.hour, t.minute);
        ForgetOwnListDate();
        return false;
    }
    SetCriteriaDate(year, month, day, hour, minute);
    KeepListDateAsOwn();
    own.kept = AfterDeviceClock(own.when);
    return true;
}

bool IsListDateOwn() {
    if (!own.kept) return false;
    int16_t when[5];
    CriteriaDate(when);
    return std::equal(when, when + 5, own.when);
}

void ForgetOwnListDate() { own = OwnDate{}; }

DateTime ListDateTime() {
    const SelectionCriteria& c = selectionCriteria;
    if (IsListDateOwn()) return DateTime{c.year, c.month, c.day, c.hour, c.minute, 0};
    return ProgramDateTime();
}
