#include "scope/n_star.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "objects/object_selection.h"
#include "platform/window.h"
#include "scope/n_star_list.h"
#include "scope/n_star_plots.h"
#include "scope/scope_target.h"
#include "scope/star_field_text.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/number_field.h"
#include "ui/saved_screen.h"

int32_t nStarPendingChoice = -1;
int32_t nStarScale1 = 0;
int32_t nStarScale2 = 0;
AlignmentStar nStarCandidate{};

const char* const kNStarScaleLabels[kNStarScaleRows] = {"10\xB0", "5\xB0", "3\xB0", "1\xB0", "30'", "15'", "7'"};

namespace {

constexpr double kScaleHalfWidths[kNStarScaleRows] = {8, 4, 2, 1, 1.0 / 3.0, 0.2, 0.1};
constexpr int kSkyChartForm = 1900;
constexpr int kVisibleSkyView = 3;
constexpr int kPrefChooseStar = 125;  // set before a star is chosen on the chart
constexpr int kNameLength = 9;        // the forms keep this much of a star's name
constexpr int kUserObjects = 63;      // kinds below this one have a designation prefix

// The six fields, typed through the text input titled "Ra" or "Dec" (12
// characters): right ascension hours and declination; the readings and the
// corrected place in hours and degrees for EQ output, in azimuth and
// altitude degrees (an encoder's altitude runs to 180) otherwise.
constexpr NumberField kPlaceFields[] = {
    {kObsRaField, "Star RA", "Ra", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kObsDecField, "Star Dec", "Dec", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};
constexpr NumberField kEqFields[] = {
    {kTrueAxis1Field, "Scope RA", "Ra", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kTrueAxis2Field, "Scope Dec", "Dec", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
    {kCalcAxis1Field, "Calculated RA", "Ra", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kCalcAxis2Field, "Calculated Dec", "Dec", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};
constexpr NumberField kAltAzFields[] = {
    {kTrueAxis1Field, "Scope azimuth", "Ra", 12, -360, 360, NumberForm::Sexagesimal, "\xB0"},
    {kTrueAxis2Field, "Scope altitude", "Dec", 12, -180, 180, NumberForm::Sexagesimal, "\xB0"},
    {kCalcAxis1Field, "Calculated azimuth", "Ra", 12, -360, 360, NumberForm::Sexagesimal, "\xB0"},
    {kCalcAxis2Field, "Calculated altitude", "Dec", 12, -180, 180, NumberForm::Sexagesimal, "\xB0"},
};

using Clock = DeviceClock;

Clock Now() { return ReadDeviceClock(); }

bool EqOutput() { return preferences.word[kPrefMountType] == 0; }
bool OwnAlignment() { return preferences.word[kPrefAlignMethod] == 0; }
bool NoDrive() { return preferences.word[kPrefDriveId] == 0; }


// Axis 1 of a reading: hours for EQ output, degrees otherwise.
void ShowAxis1(int field, double degrees) { EqOutput() ? ShowHoursField(field, degrees) : ShowDegreesField(field, degrees); }

// Identity of the chosen star: the observing list's current entry when a
// row is current, else the chart's object named by its designation.
void TakeIdentity(const ObjectRecord& chartObject, AlignmentStar* s) {
    const int position = CurrentSelectionEntry();
    if (position >= 0) {
        const SelectionEntry& e = selectionList[position];
        s->kind = e.designation;
        s->index = e.number;
        std::snprintf(s->name, kNameLength + 1, "%.*s", kNameLength, e.name);
        return;
    }
    s->kind = static_cast<int32_t>(chartObject.designationId & 0xFFFF);
    s->index = chartObject.number;
    if (s->kind < kUserObjects) {
        const char* prefix = DesignationPrefix(s->kind);
        char name[48];
        std::snprintf(name, sizeof name, "%s%ld", prefix ? prefix : "", static_cast<long>(s->index));
        std::snprintf(s->name, kNameLength + 1, "%.*s", kNameLength, name);
    }
}

// The chart's chosen object joins the list with its apparent place now (a
// body's place of date at the clock refracted as a star's, not precessed
// again) and the reading: its own place without a drive (a perfect scope),
// else the mount's; a failed read of the mount adds nothing.
void TakeChosenStar() {
    ObjectRecord chosen{};
    CopyChartState16(&chosen);
    const Clock c = Now();
    TelescopeTarget place{};
    if (!TargetAtClock(chosen, c, kNoPlaceNowText, &place)) return;
    double ra = 0, dec = 0, alt = 0, az = 0;
    AlignmentPlaceAtClock(place, c, &ra, &dec, &alt, &az);
    AlignmentStar& s = nStarCandidate;
    s = AlignmentStar{};
    s.time = c.Angle();
    s.ra = ra * 15.0;
    s.dec = dec;
    double m1 = EqOutput() ? s.ra : az, m2 = EqOutput() ? s.dec : alt;
    if (!NoDrive() && !ReadMountDegrees(&m1, &m2)) return;
    TakeIdentity(chosen, &s);
    if (AddNStarEntry(&s, m1, m2)) {
        ShowHoursField(kObsRaField, s.ra);
        ShowDegreesField(kObsDecField, s.dec);
    }
}

// The list's rows: each entry's name, the current one selected.
void FillRows() {
    pl::Hwnd form = GetCurrentFormDialog();
    pl::Hwnd rows = form ? pl::GetDlgItem(form, kNStarList) : nullptr;
    if (!rows) return;
    const AlignmentStar* list = GetAlignmentStarList();
    std::vector<const char*> names;
    for (int i = 0; list && i < alignmentStarCount; ++i) names.push_back(list[i].name);
    SetListItems(rows, names.data(), static_cast<int>(names.size()));
    if (nStarCurrentRow >= 0 && nStarCurrentRow < alignmentStarCount) Set(kNStarList, nStarCurrentRow);
}

// The plots onto the form, kept in its back buffer.
void DrawPlotsOnForm() {
    pl::Hwnd form = GetCurrentFormDialog();
    if (!form || !pl::IsWindow(form)) return;
    if (GetDrawWindowHandle() != form) InitDrawWindowOwnDc(form);
    DrawNStarPlots(GetAlignmentStarList(), alignmentStarCount, nStarCurrentRow, NStarScaleHalfWidth(nStarScale1),
                   NStarScaleHalfWidth(nStarScale2));
    SaveScreen();
}

bool HasCurrentEntry() { return GetAlignmentStarList() && nStarCurrentRow >= 0 && nStarCurrentRow < alignmentStarCount; }

// The reading typed in the "True:" fields (no drive); false after the
// number field's refusal.
bool ReadTypedReading(double* m1, double* m2) {
    pl::Hwnd form = GetCurrentFormDialog();
    double v1 = 0, v2 = 0;
    const NumberField* f1 = FindNStarField(kTrueAxis1Field);
    const NumberField* f2 = FindNStarField(kTrueAxis2Field);
    if (!f1 || !f2 || !ReadNumberField(form, *f1, &v1) || !ReadNumberField(form, *f2, &v2)) return false;
    *m1 = EqOutput() ? v1 * 15.0 : v1;
    *m2 = v2;
    return true;
}

}  // namespace

const NumberField* FindNStarField(int id) {
    if (const NumberField* f = FindNumberField(kPlaceFields, id)) return f;
    return FindNumberField(EqOutput() ? kEqFields : kAltAzFields, id);
}

double NStarScaleHalfWidth(int row) { return kScaleHalfWidths[row >= 0 && row < kNStarScaleRows ? row : 0]; }

void ChooseNStar() {
    if (OwnAlignment() && !IsAlignmentValid()) {
        ShowInformation("Please do 2 stars alignment first", "");
        return;
    }
    chartView = kVisibleSkyView;
    preferences.word[kPrefChooseStar] = 1;
    if (selectionCount <= 0) {
        const int shownBefore = selectionShownCount;
        RunObjectSelectionKeepIndex(0, kDesignationBrightStar, 0);
        if (selectionCount > 0 && shownBefore <= 0) {
            const Clock c = Now();
            ObjectRecord first{};
            CopyObjectDisplayFields(&first, &selectionList[0]);
            SetChartDateTime(&first, c.year, c.month, c.day, c.hour, c.minute);
            SetCurrentSelectionEntry(0);
        }
    } else {
        SetCurrentSelectionEntry(0);
    }
    nStarPendingChoice = 1;
    GotoForm(kSkyChartForm);
}

void RedrawNStarForm() {
    // A full list drops the choice; it is not taken later either.
    if (nStarPendingChoice >= 0 && alignmentStarCount < kAlignmentStarCount) TakeChosenStar();
    nStarPendingChoice = -1;
    AlignmentStar* list = GetAlignmentStarList();
    for (int i = 0; list && i < alignmentStarCount; ++i)
        if (list[i].name[0] == '\0') std::snprintf(list[i].name, sizeof list[i].name, "St %d", i);
    FillRows();
    RefreshNStarFields();
    ShowAlignmentResidual(list, alignmentStarCount);
}

void RefreshNStarFields() {
    const int fields[] = {kObsRaField, kObsDecField, kTrueAxis1Field, kTrueAxis2Field, kCalcAxis1Field, kCalcAxis2Field};
    if (!HasCurrentEntry()) {
        for (int id : fields) SetField(id, "");
    } else {
        const AlignmentStar& e = GetAlignmentStarList()[nStarCurrentRow];
        ShowHoursField(kObsRaField, e.ra);
        ShowDegreesField(kObsDecField, e.dec);
        ShowAxis1(kTrueAxis1Field, e.measured1);
        ShowDegreesField(kTrueAxis2Field, e.measured2);
        ShowAxis1(kCalcAxis1Field, e.corrected1);
        ShowDegreesField(kCalcAxis2Field, e.corrected2);
    }
    DrawPlotsOnForm();
}

void SyncNStar() {
    AlignmentStar* list = GetAlignmentStarList();
    if (!list || alignmentStarCount < 1) {
        ShowInformation("Please add at least one stars.", "");
        return;
    }
    if (!HasCurrentEntry()) {
        ShowInformation("Please select one stars.", "");
        return;
    }
    if (OwnAlignment() && !IsAlignmentValid()) {
        ShowInformation("Please do 2 stars alignment first", "");
        return;
    }
    double m1 = 0, m2 = 0;
    if (!(NoDrive() ? ReadTypedReading(&m1, &m2) : ReadMountDegrees(&m1, &m2))) return;
    AlignmentStar& e = list[nStarCurrentRow];
    const Clock c = Now();
    e.time = c.Angle();
    e.sidereal = GetLocalSiderealTime(c.year, c.month, c.day, c.hour, c.minute, c.second, currentSite.longitude,
                                      currentSite.zoneMinutes);
    e.measured1 = m1;
    e.measured2 = m2;
    if (PredictNStarPlace(&e)) {
        e.corrected1 = e.reading1 = e.model1;
        e.corrected2 = e.reading2 = e.model2;
    }
    RefreshNStarFields();
    ShowAlignmentResidual(list, alignmentStarCount);
    RedrawNStarForm();
    if (!OwnAlignment()) CalcNStar();
}

void DeleteNStar() {
    AlignmentStar* list = GetAlignmentStarList();
    if (!list || alignmentStarCount < 1) {
        ShowInformation("Sorry, there is no more star to delete.", "");
        alignmentStarCount = 0;
        return;
    }
    const int row = nStarCurrentRow;
    if (row < 0 || row >= alignmentStarCount) return;
    if (row == alignmentStarCount - 1) --nStarCurrentRow;
    std::memmove(&list[row], &list[row + 1], sizeof list[0] * static_cast<std::size_t>(alignmentStarCount - row - 1));
    --alignmentStarCount;
    RedrawNStarForm();
}

void CalcNStar() {
    if (!ComputePointingCorrection(0)) {
        ShowInformation("Please add at least 4 stars to do correction.", "");
        return;
    }
    RedrawNStarForm();
}

void SelectNStarRow(int row) {
    if (row < 0 || row >= alignmentStarCount) return;
    nStarCurrentRow = row;
    RedrawNStarForm();
}

void SetNStarScale(int which, int row) {
    if (row < 0 || row >= kNStarScaleRows) row = 0;
    (which == 1 ? nStarScale1 : nStarScale2) = row;
    RedrawNStarForm();
}

void ResetNStar() {
    nStarPendingChoice = -1;
    nStarScale1 = nStarScale2 = 0;
    nStarCandidate = AlignmentStar{};
}
