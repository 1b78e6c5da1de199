#include "scope/two_star.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "objects/object_selection.h"
#include "scope/alignment_restore.h"
#include "scope/drive_table.h"
#include "scope/encoder_box.h"
#include "scope/encoder_offsets.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_target.h"
#include "scope/star_field_text.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/input_polling.h"

int twoStarPendingChoice = -1;
int alignTargetRaField = kRaField1;
int alignTargetDecField = kDecField1;

namespace {

constexpr int kSkyChartForm = 1900;
constexpr int kVisibleSkyView = 3;
constexpr int kPrefChooseStar = 125;  // set before a star is chosen on the chart
constexpr int kStarType = 30;
constexpr int kBodyType = 27;
constexpr int kNameLength = 9;  // the forms keep this much of a star's name

using Clock = DeviceClock;

// Star 1 and star 2 (entries 0 and 1) chosen on the chart but not read from
// the mount since: their readings belong to no star, and Align refuses them.
bool unreadSinceChosen[2] = {false, false};

Clock Now() { return ReadDeviceClock(); }

void TimeText(char* text, std::size_t size, int hour, int minute, int second) {
    std::snprintf(text, size, "%02d:%02d:%02d", hour, minute, second);
}

double Lst(const Clock& c) {
    return GetLocalSiderealTime(c.year, c.month, c.day, c.hour, c.minute, c.second, currentSite.longitude,
                                currentSite.zoneMinutes);
}

bool EqOutput() { return preferences.word[kPrefMountType] == 0; }

// One star with its fields on the form.
struct StarFields {
    AlignmentStar* star;
    int time, ra, dec, axis1, axis2;
};

StarFields Fields(int which) {
    if (which == 1) return {&alignStar1, kTimeField1, kRaField1, kDecField1, kAxis1Field1, kAxis2Field1};
    return {&alignStar2, kTimeField2, kRaField2, kDecField2, kAxis1Field2, kAxis2Field2};
}

// Which star a field belongs to (1 or 2), 0 for none of the ten.
int StarOfField(int id) {
    for (int which : {1, 2}) {
        StarFields f = Fields(which);
        for (int field : {f.time, f.ra, f.dec, f.axis1, f.axis2})
            if (field == id) return which;
    }
    return 0;
}


void ShowReadings(const StarFields& f) {
    if (EqOutput()) ShowHoursField(f.axis1, f.star->reading1);
    else ShowDegreesField(f.axis1, f.star->reading1);
    ShowDegreesField(f.axis2, f.star->reading2);
}

// The star's fields, each when its value is not 0 (a field left as it is
// keeps what the user typed).
void ShowStar(const StarFields& f) {
    const AlignmentStar& s = *f.star;
    if (s.ra != 0) ShowHoursField(f.ra, s.ra);
    if (s.dec != 0) ShowDegreesField(f.dec, s.dec);
    if (s.reading1 != 0) EqOutput() ? ShowHoursField(f.axis1, s.reading1) : ShowDegreesField(f.axis1, s.reading1);
    if (s.reading2 != 0) ShowDegreesField(f.axis2, s.reading2);
    if (s.time != 0) {
        char text[16];
        HoursToHMSText(text, sizeof text, s.time);
        SetField(f.time, text);
    }
}

void SetReferenceToNow() {
    Clock c = Now();
    TimeText(alignmentReferenceText, sizeof alignmentReferenceText, c.hour, c.minute, c.second);
}

void SetTargetFields(int which) {
    alignTargetRaField = which == 1 ? kRaField1 : kRaField2;
    alignTargetDecField = which == 1 ? kDecField1 : kDecField2;
}

// The first step of both choices.
void PrepareChoice(int which) {
    BuildAlignInputs();
    chartView = kVisibleSkyView;
    SetTargetFields(which);
    preferences.word[kPrefChooseStar] = 1;
}

void LeaveForChart() {
    twoStarPendingChoice = 1;
    GotoForm(kSkyChartForm);
}

void RebuildShownRows() {
    if (selectionCount >= 0 && selectionCount < GetSelectionListAllocated()) selectionList[selectionCount].number = -1;
    RebuildSelectionByClass();
}

// The entry's altitude and azimuth now (J2000 place, no refraction).
void EntryHorizon(const SelectionEntry& e, double lst, double* azimuth, double* altitude) {
    *altitude = ComputeAltitude(lst, e.rightAscension, e.declination, currentSite.latitude);
    *azimuth = ComputeAzimuth(lst, e.rightAscension, e.declination, currentSite.latitude);
}

// An empty list gets the bright stars that are between 20 and 60 degrees
// high now; when no row was shown, its first entry goes to the chart with
// the chart's time set to now.
void FillWithFirstStarCandidates() {
    const int shownBefore = selectionShownCount;
    RunObjectSelectionKeepIndex(0, kDesignationBrightStar, 0);
    const Clock c = Now();
    const double lst = Lst(c);
    for (int i = selectionCount - 1; i >= 0; --i) {
        double az, alt;
        EntryHorizon(selectionList[i], lst, &az, &alt);
        if (selectionList[i].objectType == kStarType && !FitsFirstStar(alt)) RemoveSelectionEntry(i);
    }
    RebuildShownRows();
    if (shownBefore <= 0 && selectionCount > 0) {
        ObjectRecord first{};
        CopyObjectDisplayFields(&first, &selectionList[0]);
        SetChartDateTime(&first, c.year, c.month, c.day, c.hour, c.minute);
        SetCurrentSelectionEntry(0);
    }
    InvalidateHorizonProjection();
}

// Keeps, besides star 1 (at list position `first`), only the stars a right
// angle in azimuth from it and 15 to 65 degrees high; star 1 stays current.
void KeepSecondStarCandidates(int first, double firstAzimuth) {
    const double lst = Lst(Now());
    for (int i = selectionCount - 1; i >= 0; --i) {
        const SelectionEntry& e = selectionList[i];
        double az, alt;
        EntryHorizon(e, lst, &az, &alt);
        if (i == first || e.objectType != kStarType || FitsSecondStar(firstAzimuth, az, alt)) continue;
        RemoveSelectionEntry(i);
        if (i < first) --first;
    }
    RebuildShownRows();
    alignStar1.index = first;
    if (first >= 0) SetCurrentSelectionEntry(first);
    InvalidateHorizonProjection();
}

// What was chosen on the chart: its place as a telescope takes it at the
// clock, name, list entry position and kind.
struct Chosen {
    TelescopeTarget place;
    int position, kind;
    char name[kNameLength + 1];
};

bool TakeChosenObject(const Clock& now, Chosen* c) {
    const int position = CurrentSelectionEntry();
    if (position >= 0) {
        const SelectionEntry& e = selectionList[position];
        *c = Chosen{{}, position, e.objectType, {}};
        std::snprintf(c->name, sizeof c->name, "%.*s", kNameLength, e.name);
        return EntryTargetAtClock(e, now, kNoPlaceNowText, &c->place);
    }
    ObjectRecord rec{};
    CopyChartState16(&rec);
    const int kind = static_cast<int>(rec.objectType & 0xFFFF);
    if (kind != kStarType && kind != kBodyType) {
        ShowInformation("Please select a star or an object.", "");
        return false;
    }
    const int found = selectionList ? FindSelectionEntry(selectionList, &rec) : -1;
    *c = Chosen{{}, found, kind, {}};
    std::snprintf(c->name, sizeof c->name, "%.*s", kNameLength, rec.name);
    return TargetAtClock(rec, now, kNoPlaceNowText, &c->place);
}

// The chosen object becomes star `which`: its apparent place at the clock
// `c` (a body's place of date refracted as a star's, not precessed again),
// the encoder box zeroed on it, its reading stamped with the clock time;
// after star 1 the list is cut to the candidates for star 2.
void TakeChosenStar(int which, const Chosen& chosen, const Clock& c) {
    double ra = 0, dec = 0, alt = 0, az = 0;
    AlignmentPlaceAtClock(chosen.place, c, &ra, &dec, &alt, &az);
    if (which == 1) ClearTwoStar();
    AlignmentStar& s = *Fields(which).star;
    std::memcpy(s.name, chosen.name, sizeof chosen.name);
    s.ra = ra * 15.0;
    s.dec = dec;
    s.index = chosen.position;
    s.kind = chosen.kind;
    if (which == 1) TimeText(alignmentReferenceText, sizeof alignmentReferenceText, c.hour, c.minute, c.second);
    if (IsEncoderDrive()) {
        double first = EqOutput() ? s.ra : az, second = EqOutput() ? s.dec : alt;
        SyncEncoder(&first, &second);
    }
    unreadSinceChosen[which - 1] = true;
    which == 1 ? ReadStar1() : ReadStar2();
    if (which == 1 && selectionList) KeepSecondStarCandidates(chosen.position, az);
}

// The readings typed in a star's two reading fields (no drive): the axis-1
// field as hours for EQ output.
void TypedReading(int axis1Field, int axis2Field, double* first, double* second) {
    char text1[32] = {}, text2[32] = {};
    GetField(axis1Field, text1, sizeof text1);
    GetField(axis2Field, text2, sizeof text2);
    *first = EqOutput() ? ParseSignedDegrees(text1) * 15.0 : ParseSignedValue(text1);
    *second = ParseSignedValue(text2);
}

// ReadScopeForStar with the clock read once by the caller; false, the star
// and its fields untouched, when the mount's read failed.
bool ReadScopeAt(const Clock& c, int timeField, int axis1Field, AlignmentStar* star) {
    const int axis2Field = axis1Field == kAxis1Field1 ? kAxis2Field1 : kAxis2Field2;
    double first = 0, second = 0;
    if (preferences.word[kPrefDriveId] == 0) TypedReading(axis1Field, axis2Field, &first, &second);
    else if (!ReadMountDegrees(&first, &second)) return false;
    char text[32];
    TimeText(text, sizeof text, c.hour, c.minute, c.second);
    SetField(timeField, text);
    star->time = c.Angle();
    star->reading1 = first;
    star->reading2 = second;
    const int type = preferences.word[kPrefMountType];
    if (type < 0 || type > 2) {
        ShowInformation("Please select scope output type (EQ, AZ, Encoder)", "");
        return true;
    }
    ShowReadings(StarFields{star, timeField, 0, 0, axis1Field, axis2Field});
    return true;
}

// Without a drive the reading is the star's own place: as it is for EQ
// output, else its azimuth and altitude at the clock's time, which is also
// the time the reading is stamped with.
void ReadStar(int which) {
    const StarFields f = Fields(which);
    AlignmentStar& s = *f.star;
    const Clock c = Now();
    if (preferences.word[kPrefDriveId] == 0) {
        if (EqOutput()) {
            s.reading1 = s.ra;
            s.reading2 = s.dec;
        } else {
            const double lst = Lst(c);
            s.reading1 = ComputeAzimuth(lst, s.ra / 15.0, s.dec, currentSite.latitude);
            s.reading2 = ComputeAltitude(lst, s.ra / 15.0, s.dec, currentSite.latitude);
        }
        ShowReadings(f);
    }
    if (ReadScopeAt(c, f.time, f.axis1, &s)) unreadSinceChosen[which - 1] = false;
}

}  // namespace

bool FitsFirstStar(double altitude) { return altitude >= 20.0 && altitude <= 60.0; }

bool FitsSecondStar(double firstAzimuth, double azimuth, double altitude) {
    const double apart = std::fmod(std::fabs(firstAzimuth - azimuth) + 360.0, 360.0);
    return std::fabs(apart - 90.0) <= 30.0 && altitude >= 15.0 && altitude <= 65.0;
}

void RestoreAlignMatrix() {
    alignStar1 = savedAlignStar1;
    alignStar2 = savedAlignStar2;
    RestoreEncoderOffsets(preferences.word[kPrefSavedEncoderAlt], preferences.word[kPrefSavedEncoderAz]);
    const double t = alignStar1.time;
    TimeText(alignmentReferenceText, sizeof alignmentReferenceText, static_cast<int>(t / 15.0),
             static_cast<int>(std::fmod(t * 4.0, 60.0)), static_cast<int>(std::fmod(t * 240.0, 60.0)));
    if (!ComputeAlignmentMatrix(alignmentReferenceText, &alignStar1, &alignStar2)) {
        ShowInformation("Fail to compute align matrix", "Please redo 2 star alignment.");
        ResetEncoderOffsets();
    }
    unreadSinceChosen[0] = unreadSinceChosen[1] = false;
    restoreOffered = 0;
}

void BuildAlignInputs() { GetField(kReferenceField, alignmentReferenceText, sizeof alignmentReferenceText); }

void ClearTwoStar() {
    ResetEncoderOffsets();
    SetReferenceToNow();
    SetField(kReferenceField, alignmentReferenceText);
    for (int which : {1, 2}) {
        const StarFields f = Fields(which);
        for (int id : {f.time, f.ra, f.dec, f.axis1, f.axis2}) SetField(id, "");
        AlignmentStar& s = *f.star;
        s.time = s.ra = s.dec = s.reading1 = s.reading2 = 0.0;
        s.index = -1;
    }
    unreadSinceChosen[0] = unreadSinceChosen[1] = false;
    ClearAlignmentValid();
}

void ChooseStar1() {
    PrepareChoice(1);
    if (selectionCount <= 0) FillWithFirstStarCandidates();
    else if (alignStar1.index >= 0) SetCurrentSelectionEntry(alignStar1.index);
    LeaveForChart();
}

void ChooseStar2() {
    PrepareChoice(2);
    if (alignStar2.index >= 0 && selectionCount > 0) SetCurrentSelectionEntry(alignStar2.index);
    LeaveForChart();
}

void ReadStar1() { ReadStar(1); }
void ReadStar2() { ReadStar(2); }

void ReadScopeForStar(int timeField, int axis1Field, AlignmentStar* star) {
    if (star) ReadScopeAt(Now(), timeField, axis1Field, star);
}

void RefreshTwoStarForm() {
    if (IsEncoderDrive()) {
        ScopeConnect();
        ScopeDisconnect();
    }
    SetField(kAxis1Label, EqOutput() ? "Scope RA" : "Scope Azt");
    SetField(kAxis2Label, EqOutput() ? "Scope Dec" : "Scope Alt");
    if (twoStarPendingChoice >= 0) {
        twoStarPendingChoice = -1;
        const Clock now = Now();
        Chosen chosen{};
        if (TakeChosenObject(now, &chosen)) TakeChosenStar(alignTargetRaField == kRaField1 ? 1 : 2, chosen, now);
    }
    if (alignmentReferenceText[0] == '\0') SetReferenceToNow();
    SetField(kReferenceField, alignmentReferenceText);
    ShowStar(Fields(1));
    ShowStar(Fields(2));
}

void TakeTypedStarField(int fieldId) {
    const int which = StarOfField(fieldId);
    if (which == 0) return;
    const StarFields f = Fields(which);
    char text[32] = {};
    GetField(fieldId, text, sizeof text);
    auto only = [&](int id) { return id == fieldId ? text : ""; };
    ParseAlignmentStar(f.star, only(f.time), only(f.ra), only(f.dec), only(f.axis1), only(f.axis2), "");
    if (fieldId == f.axis1 && EqOutput()) f.star->reading1 *= 15.0;
}

bool RefuseUnreadAlignmentStar() {
    for (int which : {1, 2})
        if (unreadSinceChosen[which - 1]) {
            ShowInformation(which == 1 ? "Star 1 has no scope reading." : "Star 2 has no scope reading.",
                            "Center the scope on it, then tap Read.");
            return true;
        }
    return false;
}

int AlignTwoStars() {
    if (RefuseUnreadAlignmentStar()) return 0;
    BuildAlignInputs();
    if (!ComputeAlignmentMatrix(alignmentReferenceText, &alignStar1, &alignStar2)) {
        ShowInformation("Fail to compute align matrix", "Please verify inputs.");
        return 0;
    }
    const Clock c = Now();
    preferences.SetDouble(kPrefAlignmentSavedJd, JulianDayFromDateTime(c.year, c.month, c.day, c.hour, c.minute,
                                                                       c.second, currentSite.zoneMinutes));
    savedAlignStar1 = alignStar1;
    savedAlignStar2 = alignStar2;
    SavePreferences();
    GoBackToPreviousForm();
    return 1;
}

void ResetTwoStar() {
    twoStarPendingChoice = -1;
    unreadSinceChosen[0] = unreadSinceChosen[1] = false;
    SetTargetFields(1);
}
