// The Info view (the ground track on the world map, where the satellite is
// over the Earth and in the sky, facts on its orbit) and the Data view (the
// two element lines of the record).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "catalog/comet_satellite_db.h"
#include "core/angle_text.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "orbits/satellite_geometry.h"
#include "orbits/screens/satellite_form_parts.h"
#include "orbits/screens/satellite_view_geometry.h"
#include "platform/window.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/font_set.h"
#include "ui/form_controls.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

// The world map's place on the form.
struct MapFrame {
    int x0, y0, width, height;
};

MapFrame InfoMapFrame() {
    const int width = ScaleX(240);
    return {(satelliteFormState.screenWidth - width) / 2, ScaleY(46), width, ScaleY(120)};
}

bool ScreenIsTall() { return satelliteFormState.screenHeight > static_cast<int>(240 * displayScale.scaleX); }

// The ground track over one period, starting two steps before the form's time.
void DrawInfoTrack(const MapFrame& map) {
    SatelliteFormState& s = satelliteFormState;
    SatelliteElements* el = s.elements;
    if (!(el->period > 0.0 && el->period < 1e9)) return;
    const int step = InfoTrackStepMinutes(el->period);
    int year = s.year, month = s.month, day = s.day, hour = s.hour, minute = s.minute;
    AddMinutesToDateTime(&year, &month, &day, &hour, &minute, -step);
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, s.second, currentSite.zoneMinutes) -
                step / 1440.0;
    const long period = std::lround(el->period);
    bool havePrevious = false;
    MapPoint previous{};
    for (long covered = 0; covered < period; covered += step, jd += step / 1440.0) {
        ComputeSatelliteSubPoint(jd, el);
        if (!HasSubPoint(*el)) {
            havePrevious = false;
            continue;
        }
        const MapPoint point = SatelliteMapPoint(el->subLongitude, el->subLatitude, map.x0, map.y0, map.width,
                                                 map.height);
        if (havePrevious) {
            MapPoint lines[4];
            const int n = TrackSegmentLines(previous, point, map.x0, map.width, lines);
            for (int i = 0; i < n; ++i) DrawTrackLine(lines[2 * i].x, lines[2 * i].y, lines[2 * i + 1].x, lines[2 * i + 1].y);
        }
        previous = point;
        havePrevious = true;
    }
}

// One block of labelled values, in the small fonts (bold for the header):
// the header, then each label with its value `valueOffset` pixels to its
// right, 13 units apart.
struct Labelled {
    const char* label;
    std::string value;
};

int TextWidth(const std::string& text) { return CharsWidth(text.c_str(), static_cast<int>(text.size())); }

void DrawBlock(const char* header, int x, int y, const Labelled* lines, int count, int valueOffset,
               int headerX = -1) {
    SelectFont(3);
    DrawPlainText(header, static_cast<int>(std::strlen(header)), headerX >= 0 ? headerX : x, y);
    SelectFont(2);
    for (int i = 0; i < count; ++i) {
        const int lineY = y + ScaleY(13 * (i + 1));
        DrawPlainText(lines[i].label, static_cast<int>(std::strlen(lines[i].label)), x, lineY);
        DrawPlainText(lines[i].value.c_str(), static_cast<int>(lines[i].value.size()), x + valueOffset, lineY);
    }
}

// The block of orbit facts keeps its values in one column after its widest
// label, and moves left from its place (147 units) as far as its widest value
// needs to stay on the map's width. Its header stays right of the "Sky
// Location" header on their common row (`skyHeaderRight`), within the map's
// width.
void DrawFactsBlock(const MapFrame& map, int y, const Labelled* lines, int count, int skyHeaderRight) {
    SelectFont(2);
    int labels = 0, values = 0;
    for (int i = 0; i < count; ++i) {
        labels = std::max(labels, TextWidth(lines[i].label));
        values = std::max(values, TextWidth(lines[i].value));
    }
    const int column = labels + ScaleX(4);
    const int x = std::min(map.x0 + ScaleX(147), map.x0 + map.width - 1 - column - values);
    SelectFont(3);
    const int headerWidth = TextWidth("Informations");
    const int headerX = std::min(std::max(x, skyHeaderRight + ScaleX(4)), map.x0 + map.width - 1 - headerWidth);
    DrawBlock("Informations", x, y, lines, count, column, headerX);
}

// The blocks of texts; a damaged record (`sound` false) shows no period,
// inclination or age either.
void DrawInfoTexts(const MapFrame& map, bool sound) {
    const SatelliteFormState& s = satelliteFormState;
    const SatelliteElements& el = *s.elements;
    const bool tall = ScreenIsTall();
    const int y = ScaleY(168);
    const Labelled earth[] = {{"Lat", SatelliteCoordinateText(el.subLatitude, "\xB0N", "\xB0S")},
                              {"Lon", SatelliteCoordinateText(el.subLongitude, "\xB0W", "\xB0" "E")},
                              {"Alt", SatelliteValueText(el.height, "km")}};
    DrawBlock("Earth Location", map.x0, y, earth, 3, ScaleX(20));
    const Labelled sky[] = {{"Az", SatelliteValueText(AzimuthToTenth(el.azimuth), "\xB0")},
                            {"Alt", SatelliteValueText(el.elevation, "\xB0")},
                            {"RA", SatelliteRightAscensionText(el.rightAscension, 6)},
                            {"Dec", SatelliteDeclinationText(el.declination)}};
    DrawBlock("Sky Location", map.x0 + ScaleX(77), y, sky, tall ? 4 : 2, ScaleX(20));
    SelectFont(3);
    const int skyHeaderRight = map.x0 + ScaleX(77) + TextWidth("Sky Location");
    char period[32] = "-";
    if (sound && std::isfinite(el.period) && std::fabs(el.period) < 1e9)
        std::snprintf(period, sizeof period, "%ldmin", std::lround(el.period));
    const double unknown = std::numeric_limits<double>::quiet_NaN();
    const double inclination = sound ? el.inclination * 57.29577951308232 : unknown;
    const double age = sound ? SatelliteFormJulianDay() - el.epochJd : unknown;  // both universal time
    const Labelled facts[] = {{"Velocity", SatelliteValueText(el.rangeRate, "km/s")},
                              {"Range", SatelliteValueText(el.range, "km")},
                              {"Orbit period", period},
                              {"Inclination", SatelliteValueText(inclination, "\xB0")},
                              {"Age Of TLE", SatelliteValueText(age, " days")}};
    DrawFactsBlock(map, y, facts, tall ? 5 : 3, skyHeaderRight);
    SelectFont(0);
}

}  // namespace

void ShowSatelliteInfo(int index) {
    SatelliteFormState& s = satelliteFormState;
    const XywhRect work = SatelliteWorkArea();
    const int count = GetSatelliteCount();
    SetListItems(pl::GetDlgItem(SatellitesFormWindow(), kSatNameList), nullptr, count);
    SetPopupList(kSatNameTrigger, kSatNameList, s.satelliteIndex);
    SetPopupList(kSatModeTrigger, kSatModeList, s.timeMode);
    SetPopupList(kSatViewTrigger, kSatViewList, s.view);
    if (GetNightMode() > 0) {
        SetTextColorRef(GetForegroundColor());
        SetForeColor(GetForegroundColor());
    }
    if (count <= 0 || !s.elements || !s.record) {
        EraseRectangle(work);
        return;
    }
    // The satellite named by the popup, whatever record a sky view of a search
    // row left in the buffer; a damaged one is placed nowhere.
    if (index >= 0 && index < count) GetSatelliteRecord(index, s.record);
    const bool sound = InitSatelliteElements(s.record, s.elements);
    ComputeFormSatellitePosition();
    const MapFrame map = InfoMapFrame();
    RestoreSatelliteMarker();
    if (s.mapReady) {
        const int below = map.y0 + map.height + 1;
        EraseRectangle(XywhRect{0, below, s.screenWidth, work.y + work.height - below});
    } else {
        ReleaseSatelliteMarker();
        s.mapReady = 1;
        EraseRectangle(work);
        char name[kSatelliteLineSize];
        SatelliteNameLine(name);
        SetPopupLabel(kSatNameTrigger, name);
        WriteSatelliteDateTimeFields();
        DrawBitmap(SatelliteLargeLayout() ? 6010 : 1221, map.x0, map.y0);
        if (sound) DrawInfoTrack(map);
        ComputeFormSatellitePosition();
    }
    const SatelliteElements& el = *s.elements;
    if (HasSubPoint(el)) {
        s.globeLongitude = static_cast<int>(el.subLongitude);
        s.globeLatitude = static_cast<int>(el.subLatitude);
        const MapPoint p = SatelliteMapPoint(el.subLongitude, el.subLatitude, map.x0, map.y0, map.width, map.height);
        DrawSatelliteMarker(p.x, p.y);
    }
    DrawInfoTexts(map, sound);
}

int ShowSatelliteTLE(int index) {
    SatelliteFormState& s = satelliteFormState;
    ShowSatelliteControls({kSatStepTrigger, kSatModeTrigger, kSatFovTrigger, kSatElevationTrigger, kSatResultList,
                           kSatShowInSky, kSatNowButton, kSatDateField, kSatTimeField},
                          {});
    EraseRectangle(SatelliteWorkArea());
    ShowSatelliteControls({}, {kSatExport, kSatImport, kSatNameTrigger, kSatLine1Field, kSatLine2Field});
    if (index < 0 || !s.record || !GetSatelliteRecord(index, s.record)) return 0;
    SetPopupList(kSatNameTrigger, kSatNameList, index);
    char line[kSatelliteLineSize];
    SatelliteNameLine(line);
    SetPopupLabel(kSatNameTrigger, line);
    SetTextColorRef(GetForegroundColor());
    SelectFont(0);
    DrawLabelText("TLE1:", 5, ScaleX(5), ScaleY(46));
    GetSatelliteLine(s.record->line1, line);
    SetField(kSatLine1Field, line);
    DrawLabelText("TLE2:", 5, ScaleX(5), ScaleY(137));
    GetSatelliteLine(s.record->line2, line);
    SetField(kSatLine2Field, line);
    return 1;
}
