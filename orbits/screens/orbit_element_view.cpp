// The Data view of the orbit assistant: the orbital elements of the current
// record in fields the user edits, with their labels for a comet or a minor
// planet, and Save, Del and New, which change the comet database.
#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/comet_satellite_db.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "orbits/comet_editing.h"
#include "orbits/comet_lists.h"
#include "orbits/orbit_assistant_state.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "platform/dialog.h"
#include "tools/edit_date_time.h"
#include "ui/control_access.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/saved_screen.h"

namespace {

constexpr int kLabelDate = 138, kLabelSymbol = 139, kLabelDistance = 140;
constexpr int kMeanAnomalyLabels[] = {142, 143, 144};
constexpr int kFieldText = 64;

void SetLabel(int id, const char* text) {
    if (pl::Hwnd form = OrbitFormWindow()) pl::SetDlgItemText(form, id, text);
}

std::string Field(int id) {
    char text[kFieldText] = "";
    GetField(id, text, sizeof text);
    return text;
}

void ShowTexts(const CometElementTexts& t) {
    SetField(kOrbitNameField, t.name.c_str());
    SetField(kOrbitYearField, t.year.c_str());
    SetField(kOrbitMonthField, t.month.c_str());
    SetField(kOrbitDayField, t.day.c_str());
    SetField(kOrbitDistanceField, t.distance.c_str());
    if (!orbitCometMode) SetField(kOrbitMeanAnomalyField, t.meanAnomaly.c_str());
    SetField(kOrbitEccentricityField, t.eccentricity.c_str());
    SetField(kOrbitArgumentField, t.argPerihelion.c_str());
    SetField(kOrbitNodeField, t.node.c_str());
    SetField(kOrbitInclinationField, t.inclination.c_str());
    SetField(kOrbitMagnitudeField, t.magnitude.c_str());
}

// The defaults of a new record; the kind and the slope stay as they were.
void MakeNewRecord(CometRecord* r) {
    const uint32_t kind = r->kind;
    const float slope = r->slope;
    *r = CometRecord{};
    r->kind = kind;
    r->slope = slope;
    std::snprintf(r->name, sizeof r->name, "New comet");
    r->year = 2005, r->month = 1, r->day = 0.0f;
    r->perihelionDistance = 1.0f;
    r->eccentricity = 1.0f;
    r->semiMajorAxis = 1.0f;
    r->epochJulianDay = static_cast<float>(JulianDayFromDateTime(2005, 1, 0, 0, 0, 0, 0));
}

CometElementTexts FieldTexts() {
    CometElementTexts t;
    t.name = Field(kOrbitNameField);
    t.year = Field(kOrbitYearField);
    t.month = Field(kOrbitMonthField);
    t.day = Field(kOrbitDayField);
    t.distance = Field(kOrbitDistanceField);
    t.meanAnomaly = Field(kOrbitMeanAnomalyField);
    t.eccentricity = Field(kOrbitEccentricityField);
    t.argPerihelion = Field(kOrbitArgumentField);
    t.node = Field(kOrbitNodeField);
    t.inclination = Field(kOrbitInclinationField);
    t.magnitude = Field(kOrbitMagnitudeField);
    return t;
}

void Redraw() {
    pl::Hwnd form = OrbitFormWindow();
    if (!form) return;
    FreeSavedScreen();
    EraseFormBelowTitleLine(form);
    UseOrbitForm();
    UpdateOrbitForm(orbitCometIndex);
    if (OrbitFormWindow() == form) SaveScreen();
}

}  // namespace

void SetOrbitEditorMode(int comet) {
    SetLabel(kLabelSymbol, comet ? "q" : "a");
    SetLabel(kLabelDistance, comet ? "Perihelion Distance" : "Semi Major Axis");
    SetLabel(kLabelDate, comet ? "Time of perihelion" : "Epoch");
    ShowOrbitControls(comet ? std::initializer_list<int>{kMeanAnomalyLabels[0], kMeanAnomalyLabels[1],
                                                         kMeanAnomalyLabels[2], kOrbitMeanAnomalyField,
                                                         kOrbitAsteroidButton}
                            : std::initializer_list<int>{kOrbitCometButton},
                      comet ? std::initializer_list<int>{kOrbitCometButton}
                            : std::initializer_list<int>{kMeanAnomalyLabels[0], kMeanAnomalyLabels[1],
                                                         kMeanAnomalyLabels[2], kOrbitMeanAnomalyField,
                                                         kOrbitAsteroidButton});
    orbitCometMode = comet ? 1 : 0;
}

void NewCometElements(int index) {
    if (index == -1) MakeNewRecord(&orbitWorkRecord);
    else if (!GetCometData(index, &orbitWorkRecord)) return;
    SetOrbitEditorMode(orbitWorkRecord.kind == kCometRecordKind);
    ShowTexts(CometElementTextsOf(orbitWorkRecord));
}

void ChangeOrbitCometKind() {
    if (orbitCometIndex != -1) return;
    orbitWorkRecord.kind = orbitWorkRecord.kind == kCometRecordKind ? kMinorPlanetRecordKind : kCometRecordKind;
    SetOrbitEditorMode(orbitWorkRecord.kind == kCometRecordKind);
    ShowTexts(CometElementTextsOf(orbitWorkRecord));
}

// The date the fields show is edited in universal time, the scale of the
// record's date; the fields are written again only when the date changed, so
// that Ok on the date as it was keeps a day like 12.3456 exactly.
void EditOrbitElementDate() {
    DateTime t{};
    if (!ReadCometElementDate(FieldTexts(), &t)) {
        // A damaged date starts the editor on the 1st of the record's month.
        const CometRecord& r = orbitWorkRecord;
        t = {r.year, r.month >= 1 && r.month <= 12 ? r.month : 1, 1, 0, 0, 0};
    }
    if (EditUniversalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second)) {
        CometElementTexts texts;
        WriteCometElementDate(t, &texts);
        SetField(kOrbitYearField, texts.year.c_str());
        SetField(kOrbitMonthField, texts.month.c_str());
        SetField(kOrbitDayField, texts.day.c_str());
    }
    FreeSavedScreen();
    if (pl::Hwnd form = OrbitFormWindow()) {
        EraseFormBelowTitleLine(form);
        UseOrbitForm();
        SaveScreen();
    }
}

void SaveOrbitElements() {
    CometRecord record = orbitWorkRecord;
    std::string refused;
    if (!ReadCometElementTexts(FieldTexts(), orbitCometMode == 1, &record, &refused)) {
        ShowInformation(refused, "");
        return;
    }
    const int index = SaveCometRecord(orbitCometIndex, record);
    if (index < 0) return;
    orbitCometIndex = index;
    orbitWorkRecord = record;
    Redraw();
}

void DeleteOrbitRecord() {
    if (orbitCometIndex < 0) {
        StartNewOrbitRecord();
        return;
    }
    if (!DeleteCometRecord(orbitCometIndex)) return;
    const int count = GetCometCount();
    orbitCometIndex = orbitCometIndex < count ? orbitCometIndex : count - 1;
    if (orbitCometIndex < 0) orbitCometIndex = count > 0 ? 0 : -1;
    Redraw();
}

void StartNewOrbitRecord() {
    orbitCometIndex = -1;
    Redraw();
}
