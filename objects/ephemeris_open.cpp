#include "objects/ephemeris_open.h"

#include "ui/forms.h"

EphemerisState ephemerisState{};

namespace {

constexpr int kEphemerisForm = 2530;

}  // namespace

void OpenEphemerisAssistant(int number, int designation, int year, int month, int day, int hour, int minute) {
    EphemerisState& s = ephemerisState;
    s.number = number;
    s.designation = designation;
    s.year = year;
    s.month = month;
    s.day = day;
    s.hour = hour;
    s.minute = minute;
    s.second = 0;
    s.page = 0;
    GotoForm(kEphemerisForm);
}
