#include "chart/chart_scope.h"

#include <cstdio>
#include <cstring>

#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_taps.h"
#include "chart/chart_views.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/save_under.h"
#include "chart/scope_marker.h"
#include "chart/sky_chart_form.h"
#include "chart/sphere_projection.h"
#include "core/horizontal.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/apparent_altaz.h"
#include "objects/current_object.h"
#include "scope/n_star_list.h"
#include "scope/scope_form.h"
#include "scope/scope_place.h"
#include "scope/scope_services.h"
#include "scope/scope_target.h"
#include "scope/serial_link.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/screen_layout.h"

AlignmentStar improvePointingStar{};

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kFixToHours = 12.0 / 3.14159265358979323846 / 16777216.0;
constexpr double kFixToDegrees = 180.0 / 3.14159265358979323846 / 16777216.0;
constexpr uint32_t kTypePlanet = 27;
constexpr int kTwoStarForm = 1300, kNStarForm = 2100, kDrivePage = 1400;
constexpr uint32_t kScopeMarkerPeriodMs = 250;
constexpr int kNameCharacters = 9;

// A body or comet the list's refresh found no place for at the chart's date
// (outside the planets' theory, an orbit that gives none), or that has none
// at the device clock.
constexpr const char* kNoPlaceText = "Sorry, this object has no position at the chart's date.";

// "Stars" (word 28) while the marker mode is on.
int32_t keptStarsWord = 0;

bool EqOutput() { return preferences.word[kPrefMountType] == 0; }

// The place under the middle of the sphere view (right ascension hours,
// declination degrees).
void SphereCentrePlace(double* ra, double* dec) {
    int32_t rect[4];
    GetChartCentre(nullptr, nullptr, rect);
    Fix24Angle fixRa = 0, fixDec = 0;
    SkyMapPointToRaDec(rect[0] + rect[2] / 2, rect[1] + rect[3] / 2, &fixRa, &fixDec);
    *ra = fixRa * kFixToHours;
    *dec = fixDec * kFixToDegrees;
}

// Refuses a telescope action on a record without a place: true after the message.
bool RefusedWithoutPlace(const ObjectRecord& record) {
    if (ChartRecordHasPlace(record)) return false;
    ShowInformation(kNoPlaceText, "");
    return true;
}

// The place a telescope command sends for `record` at the device clock `c`
// (TargetAtClock), refused as the chart refuses it.
bool ChartTargetAtClock(const ObjectRecord& record, const DeviceClock& c, TelescopeTarget* target) {
    return !RefusedWithoutPlace(record) && TargetAtClock(record, c, kNoPlaceText, target);
}

// The chart's centre: its selection in views 0 and 1 (the redraw centres on
// it), or the zenith they are centred on while the selection lies below the
// horizon; the place under the view's middle in the sphere views, whose
// centre words hold the frame's angles rather than a right ascension, but
// for a body or comet of the list that is the current row, on which each
// drawing centres them. The selection goes as a goto sends it
// (TargetAtClock). Refused while the selection has no place.
void SyncOnChartCentre(const ObjectRecord* block) {
    if (RefusedWithoutPlace(*block)) return;
    TelescopeTarget target{block->rightAscension, block->declination, kSyncPositionMode};
    int32_t a, b;
    if (chartView >= 2 && (selectionCurrentRow < 0 || !FindListedBody(*block))) {
        SphereCentrePlace(&target.ra, &target.dec);
    } else if (chartView < 2 && !ProjectHorizonPlace(chartTimeRecord.lstHours, block->rightAscension,
                                                     block->declination, static_cast<int16_t>(block->designationId),
                                                     &a, &b)) {
        float zenithRa = 0.0f, zenithDec = 0.0f;
        GetHorizonChartCentre(&zenithRa, &zenithDec, nullptr);
        target.ra = zenithRa, target.dec = zenithDec;
    } else if (!ChartTargetAtClock(*block, ReadDeviceClock(), &target)) {
        return;
    }
    ScopeSync(target.ra, target.dec, target.mode);
}

void ToggleMarkerMode(int32_t* mode) {
    if (*mode) StopChartTimer();
    *mode = (*mode + 1) % 2;
    int32_t& stars = preferences.word[kPrefStars];
    if (*mode) {
        if (!ScopeConnect()) {
            *mode = 0;
            return;
        }
        RunChartTimer(kScopeMarkerPeriodMs);
        keptStarsWord = stars;
    } else {
        stars = keptStarsWord;
        ScopeDisconnect();
        StartChartTimer(0);
    }
    RedrawSkyChart();
}

void OpenScopeAssistant() {
    if (IsEncoderDrive()) SetPendingScopeTarget(0.0, kNoTargetDec);
    OpenScopeForm(1);
}

// The reading (S1, S2) of the reference star in the units of the N-star list.
bool ReadScope(double apparentRa, double apparentDec, double altitude, double azimuth, double* s1, double* s2) {
    if (preferences.word[kPrefDriveId] != 0) {
        if (!ScopeGetRaDec(s1, s2)) return false;
        if (EqOutput()) *s1 *= 15.0;
        return true;
    }
    *s1 = EqOutput() ? apparentRa * 15.0 : azimuth;
    *s2 = EqOutput() ? apparentDec : altitude;
    return true;
}

// The predicted place (P1, P2) of the star, degrees.
void PredictPlace(AlignmentStar* star, double altitude, double azimuth, double* p1, double* p2) {
    if (preferences.word[kPrefAlignMethod] == 0) {
        *p1 = *p2 = 0.0;
        if (!IsAlignmentValid()) return;
        SkyToScope(star);
        *p1 = star->model1 * kRadToDeg;
        *p2 = star->model2 * kRadToDeg;
        return;
    }
    *p1 = EqOutput() ? star->ra : azimuth;
    *p2 = EqOutput() ? star->dec : altitude;
}

}  // namespace

void GotoChartSelection(const ObjectRecord* selection) {
    if (!selection) return;
    if ((selection->objectType & 0xFFFF) == kTypePlanet && selection->number == 0) {
        ShowInformation("Sorry, GoTo to Sun is disable.", "");
        return;
    }
    if (RefusedWithoutPlace(*selection)) return;
    GotoAtClock(*selection, kNoPlaceText);
}

void ImprovePointingFromChart(int row) {
    if (row < 0) {
        ShowInformation("No Object or Star selected.", "");
        return;
    }
    int position = GetSelectionIndex(row);
    if (position < 0) position = HeldSelectionEntry();  // a row of no entry: the list's current one
    if (!selectionList || position < 0 || position >= selectionCount) return;
    const SelectionEntry& entry = selectionList[position];
    const DeviceClock c = ReadDeviceClock();
    TelescopeTarget target{};
    if (!ChartTargetAtClock(chartSelection, c, &target)) return;
    CopyChartState16(&currentObject);
    double apparentRa = 0, apparentDec = 0, altitude = 0, azimuth = 0;
    AlignmentPlaceAtClock(target, c, &apparentRa, &apparentDec, &altitude, &azimuth);
    AlignmentStar& star = improvePointingStar;
    star = AlignmentStar{};
    star.ra = apparentRa * 15.0;
    star.dec = apparentDec;
    star.time = c.Angle();
    double s1 = 0, s2 = 0, p1 = 0, p2 = 0;
    if (!ReadScope(apparentRa, apparentDec, altitude, azimuth, &s1, &s2)) return;
    PredictPlace(&star, altitude, azimuth, &p1, &p2);
    star.reading1 = star.model1 = star.corrected1 = p1;
    star.reading2 = star.model2 = star.corrected2 = p2;
    std::snprintf(star.name, kNameCharacters + 1, "%.*s", kNameCharacters, entry.name);
    star.index = entry.number;
    star.kind = entry.designation;
    AddNStarEntry(&star, s1, s2);
    ComputePointingCorrection(1);
}

void ShowScopePositionOnChart(ObjectRecord* block) {
    if (preferences.word[kPrefDriveId] == 0) {
        ShowInformation("No drive selected.", "");
        return;
    }
    if (!ScopeConnect()) return;
    double ra = 0, dec = 0;
    const int read = ScopeGetPosition(&ra, &dec);
    ScopeDisconnect();
    if (!read) return;
    MountPlaceToJ2000(&ra, &dec);
    if (chartView >= 2) {
        *block = SkyPointRecord(ra, dec, -1);  // the telescope's place, not the object selected before
        CentreChartOnRaDec(ra, dec);
    } else {
        const DeviceClock c = ReadDeviceClock();
        const double lst = GetLocalSiderealTime(c.year, c.month, c.day, c.hour, c.minute, c.second,
                                                currentSite.longitude, currentSite.zoneMinutes);
        if (ComputeAltitude(lst, ra, dec, currentSite.latitude) < 0.0) {
            ShowInformation("Your scope doesn't seem to point to the sky",
                            "Check your location information and current time.");
            return;
        }
        block->rightAscension = static_cast<float>(ra);
        block->declination = static_cast<float>(dec);
        SetCurrentSelectionRow(-1);
        int32_t a, b;
        if (ProjectRaDecToHorizon(chartTimeRecord.lstHours, block->rightAscension, block->declination, &a, &b)) {
            int32_t x, y;
            HorizonPointToScreen(a, b, &x, &y);
            const int s = GetScreenScale();
            IdentifyNearestObject(x, y, 3 * s);
        }
    }
    FreeChartBitmaps();
    RedrawSkyChart();
}

int ScopePopupCommand(ObjectRecord* block, int32_t* markerMode) {
    switch (Get(kChartScopeList)) {
        case 0: GotoForm(kTwoStarForm); break;
        case 1: GotoForm(kNStarForm); break;
        case 2: GotoChartSelection(block); break;
        case 3: ShowScopePositionOnChart(block); break;
        case 4: OpenScopeAssistant(); break;
        case 5: ToggleMarkerMode(markerMode); break;
        case 6: ImprovePointingFromChart(selectionCurrentRow); break;
        case 7:
            ClearSerialFlag();
            GotoForm(kDrivePage);
            break;
        case 8: SyncOnChartCentre(block); break;
        default: break;
    }
    return 1;
}

void ResetChartScope() {
    keptStarsWord = 0;
    improvePointingStar = AlignmentStar{};
}
