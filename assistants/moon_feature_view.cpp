#include "assistants/moon_feature_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "assistants/moon_map.h"
#include "assistants/moon_map_view.h"
#include "catalog/moon_features.h"
#include "catalog/object_pictures.h"
#include "core/date_text.h"
#include "core/moon_records.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/window.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/offscreen.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kDateField = 6002;
constexpr int kTimeField = 5988;
constexpr int kPictureButton = 5984;
constexpr int kTypeTrigger = 5995;
constexpr int kTypeList = 5996;
constexpr int kFeatureTrigger = 5997;
constexpr int kFeatureList = 5998;
constexpr int kSizeTrigger = 5990;
constexpr int kSizeList = 5991;
constexpr int kTerminatorList = 6011;
constexpr int kMoonPictureFolder = 4;
constexpr int kFirstTile = 6025;
constexpr int kTilePixels = 320;
constexpr int kWholeDisc = 6036;
constexpr int kMinimumMarker = 10;
constexpr int kPictureTop = 118;   // design pixels: the pictures under the text lines
constexpr int kPaneX = 140;        // design pixels: the Terminator view's pane right of the list
constexpr pl::ColorRef kBlack = pl::Rgb(0, 0, 0);

// The rendered picture the feature views use (moonMapBitmap), and what it
// was rendered for.
struct MoonPicture {
    const DrawWindowRecord* map = nullptr;
    int sizeMode = 0;
    int date[5] = {};
    int nightMode = 0;
};
MoonPicture smallMap;
bool terminatorListBuilt = false;

// moonMapBitmap rendered in the size mode for the assistant date; rendered
// again when it was freed or made for another size, date or night mode.
const DrawWindowRecord* MoonPictureFor(int sizeMode, const MoonAssistantState& s) {
    MoonPicture wanted{nullptr, sizeMode, {s.year, s.month, s.day, s.hour, s.minute}, GetNightMode()};
    if (smallMap.map && smallMap.map == moonMapBitmap && smallMap.sizeMode == sizeMode &&
        std::equal(std::begin(wanted.date), std::end(wanted.date), smallMap.date) &&
        smallMap.nightMode == wanted.nightMode)
        return smallMap.map;
    wanted.map = RenderMoonMapOffscreen(sizeMode, s.year, s.month, s.day, s.hour, s.minute, 0, 0);
    smallMap = wanted;
    return smallMap.map;
}

void Text(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

void ShowDateAndTime(const MoonAssistantState& s) {
    char text[24];
    FormatDate(text, sizeof text, s.day, s.month, s.year);
    SetField(kDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", s.hour, s.minute);
    SetField(kTimeField, text);
}

// The picture button when the feature has a picture in the Moon folder.
void ShowPictureButton(const MoonFeatureRecord& f) {
    pl::Hwnd form = GetCurrentFormWindow();
    if (BuildImagePath(f.name, kMoonPictureFolder, 0)) ShowObject(form, kPictureButton);
    else HideObject(form, kPictureButton);
}

// Latitude (the stored one negated), longitude and diameter: each label at
// (x, y), its value `valueDx` right and `valueDy` below it, `step` apart.
void DrawFeatureLines(const MoonFeatureRecord& f, int x, int y, int valueDx, int valueDy, int step) {
    const MoonFeatureLines lines = GetMoonFeatureLines(f);
    const std::string values[] = {lines.latitude, lines.longitude, lines.diameter};
    const char* labels[] = {"Latitude", "Longitude", "Diameter"};
    for (int k = 0; k < 3; ++k, y += step) {
        Text(labels[k], x, y);
        Text(values[k], x + valueDx, y + valueDy);
    }
}

// A bitmap stretched to width x height at (x, y), from its 16-bit copy
// (which the resource layer keeps after the first load).
void StretchBitmap(int bitmapId, int x, int y, int width, int height) {
    DrawWindowRecord* bitmap = LoadBitmapResource16(bitmapId);
    if (bitmap) pl::StretchBlt(GetDrawDc(), x, y, width, height, bitmap->dc, 0, 0, bitmap->right, bitmap->bottom);
    DeleteOffscreenWindow(bitmap);
}

// The nine tiles at a pitch of 320 x zoom with the map point (fx, fy) at the
// centre of the rectangle.
void DrawTiles(const XywhRect& rect, int fx, int fy, double zoomX, double zoomY) {
    const int pitchX = static_cast<int>(kTilePixels * zoomX), pitchY = static_cast<int>(kTilePixels * zoomY);
    const int left = rect.x + rect.width / 2 - fx, top = rect.y + rect.height / 2 - fy;
    SetClip(rect);
    for (int k = 0; k < 9; ++k) {
        int x = left + (k % 3) * pitchX, y = top + (k / 3) * pitchY;
        if (x < rect.x + rect.width && y < rect.y + rect.height && x + pitchX > rect.x && y + pitchY > rect.y)
            StretchBitmap(kFirstTile + k, x, y, pitchX, pitchY);
    }
    ClipToWindow();
}

// The part of a rendered map around the map point (fx, fy) copied into the
// rectangle with that point at its centre.
void CopyCentred(const DrawWindowRecord* map, const XywhRect& rect, int fx, int fy) {
    const int left = fx - rect.width / 2, top = fy - rect.height / 2;
    const int x0 = std::max(left, 0), y0 = std::max(top, 0);
    const int x1 = std::min(left + rect.width, static_cast<int>(map->right));
    const int y1 = std::min(top + rect.height, static_cast<int>(map->bottom));
    if (x1 <= x0 || y1 <= y0) return;
    CopyRectangle(map, GetDrawWindow(), XywhRect{x0, y0, x1 - x0, y1 - y0}, rect.x + x0 - left, rect.y + y0 - top, 0);
}

// The whole disc (320 pixels) with the map point (fx, fy) at the centre.
void DrawWholeDiscCentred(const XywhRect& rect, int fx, int fy) {
    SetClip(rect);
    StretchBitmap(kWholeDisc, rect.x + rect.width / 2 - fx, rect.y + rect.height / 2 - fy, kTilePixels, kTilePixels);
    ClipToWindow();
}

// The yellow circle at the rectangle's centre; thick: two pixels wide.
void DrawCentreMarker(const XywhRect& rect, int radius, bool thick) {
    int x = rect.x + rect.width / 2, y = rect.y + rect.height / 2;
    DrawMoonFeatureMarker(x, y, radius, rect);
    if (thick) DrawMoonFeatureMarker(x, y, radius + 1, rect);
}

int TileMarkerRadius(const MoonFeatureRecord& f) {
    return std::max(f.mapSize + 4 * GetScreenScale(), kMinimumMarker);
}

void BlackRectangle(const XywhRect& rect) {
    pl::ColorRef previous = SetForeColor(kBlack);
    FillRectangle(rect, 0);
    SetForeColor(previous);
}

// (a) the tiles at the screen's scale, (b) the rendered whole Moon of 320
// pixels (or the plain disc 6036), each with the feature at its centre.
void DrawFeaturePictures(const MoonFeatureRecord& f, const MoonAssistantState& s) {
    const int top = ScaleY(kPictureTop), height = s.screenHeight - ScaleY(22) - top - ScaleY(2);
    const int width = (s.screenWidth - ScaleX(2)) / 2;
    const XywhRect tiles{0, top, width, height}, whole{s.screenWidth - width, top, width, height};
    BlackRectangle(tiles);
    BlackRectangle(whole);
    int fx = 0, fy = 0;
    MoonPicturePlace(f.latitude, f.longitude, ScaleX(480), ScaleY(480), &fx, &fy);
    DrawTiles(tiles, fx, fy, displayScale.scaleX, displayScale.scaleY);
    DrawCentreMarker(tiles, TileMarkerRadius(f), GetScreenScale() > 1);
    MoonPicturePlace(f.latitude, f.longitude, 160, 160, &fx, &fy);
    const DrawWindowRecord* map = MoonPictureFor(1, s);
    if (map) CopyCentred(map, whole, fx, fy);
    else DrawWholeDiscCentred(whole, fx, fy);
    DrawCentreMarker(whole, std::max(f.mapSize / 2, kMinimumMarker), false);
}

// The dates and local times of the Sun's rise and set over the feature.
void DrawBestDates(const MoonFeatureRecord& f, const MoonAssistantState& s, int x, int valueX, int y, int step) {
    DateTime now{s.year, s.month, s.day, s.hour, s.minute, 0};
    double sunrise = 0.0, sunset = 0.0;
    FindFeatureBestDates(f.longitude, -f.latitude, now, currentSite.zoneMinutes, &sunrise, &sunset);
    Text("Rise", x, y);
    Text(MoonCrossingText(sunrise, currentSite.zoneMinutes), valueX, y);
    Text("Set", x, y + step);
    Text(MoonCrossingText(sunset, currentSite.zoneMinutes), valueX, y + step);
}

// The selected feature's picture right of the list: the rendered 960 map on
// screens of scale above 1, else (or without a map) the nine tiles.
void DrawTerminatorPicture(const MoonFeatureRecord& f, const MoonAssistantState& s) {
    const int top = ScaleY(kPictureTop), left = ScaleX(kPaneX);
    const XywhRect rect{left, top, s.screenWidth - left, s.screenHeight - ScaleY(22) - top - ScaleY(2)};
    BlackRectangle(rect);
    int fx = 0, fy = 0;
    MoonPicturePlace(f.latitude, f.longitude, 480, 480, &fx, &fy);
    const DrawWindowRecord* map = GetScreenScale() > 1 ? MoonPictureFor(2, s) : nullptr;
    if (map) CopyCentred(map, rect, fx, fy);
    else DrawTiles(rect, fx, fy, 1.0, 1.0);
    DrawCentreMarker(rect, TileMarkerRadius(f), GetScreenScale() > 1);
}

void DrawRowText(const MoonFeatureRecord& f, const XywhRect& rect) {
    bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    SetClip(rect);
    int y = rect.y + (rect.height - ScaleY(12)) / 2;
    const char* code = MoonFeatureTypeCode(f.type);
    DrawPlainText(code, static_cast<int>(std::strlen(code)), rect.x + ScaleX(2), y);
    DrawPlainText(f.name, static_cast<int>(strnlen(f.name, sizeof f.name)), rect.x + ScaleX(20), y);
    ClipToWindow();
    SetTextTransparent(transparent);
}

bool ReadTerminatorRecord(int row, MoonFeatureRecord* f) {
    return row >= 0 && row < static_cast<int>(visibleFeatureList.size()) &&
           GetMoonRecord(visibleFeatureList[static_cast<size_t>(row)], f);
}

}  // namespace

void DrawMoonFeaturesView(const MoonAssistantState& s) {
    pl::Hwnd form = GetCurrentFormWindow();
    SetListItems(pl::GetDlgItem(form, kFeatureList), nullptr, std::max(featureTypeRange.count, 0));
    SetPopupList(kTypeTrigger, kTypeList, s.typeFilter);
    ShowDateAndTime(s);
    MoonFeatureRecord f;
    if (s.featureRow < 0 || !GetMoonFeatureInRange(s.featureRow, &f)) {
        SetPopupLabel(kFeatureTrigger, "");
        ShowInformation("Can't find data", "");
        return;
    }
    Set(kFeatureList, s.featureRow);
    SetPopupLabel(kFeatureTrigger, f.name);
    ShowPictureButton(f);
    DrawFeatureLines(f, ScaleX(4), ScaleY(44), ScaleX(60), 0, ScaleY(14));
    DrawBestDates(f, s, ScaleX(4), ScaleX(64), ScaleY(86), ScaleY(14));
    DrawFeaturePictures(f, s);
}

void DrawMoonTerminatorView(MoonAssistantState& s) {
    FreeMoonFeatureIndex();
    SetPopupList(kSizeTrigger, kSizeList, s.sizeFilter);
    ShowDateAndTime(s);
    if (s.terminatorRow < 0 || !terminatorListBuilt) {
        s.terminatorRow = 0;
        BuildTerminatorList(s.year, s.month, s.day, s.hour, s.minute, MoonMinimumDiameterOfRow(s.sizeFilter));
        terminatorListBuilt = true;
    }
    const int count = static_cast<int>(visibleFeatureList.size());
    s.terminatorRow = std::min(s.terminatorRow, std::max(count - 1, 0));
    SetListItems(pl::GetDlgItem(GetCurrentFormWindow(), kTerminatorList), nullptr, count);
    MoonFeatureRecord f;
    if (count == 0 || !ReadTerminatorRecord(s.terminatorRow, &f)) {
        Set(kTerminatorList, -1);
        return;
    }
    Set(kTerminatorList, s.terminatorRow);
    s.featureRow = visibleFeatureList[static_cast<size_t>(s.terminatorRow)];
    ShowPictureButton(f);
    DrawFeatureLines(f, ScaleX(kPaneX), ScaleY(46), ScaleX(10), ScaleY(12), ScaleY(24));
    DrawTerminatorPicture(f, s);
}

void ForgetTerminatorList() {
    terminatorListBuilt = false;
    visibleFeatureList.clear();
}

void ForgetMoonPicture() { smallMap = MoonPicture{}; }

void DrawFeaturePopupRow(int16_t row, const XywhRect& rect, int, int) {
    MoonFeatureRecord f;
    if (GetMoonFeatureInRange(row, &f)) DrawRowText(f, rect);
}

void DrawTerminatorRow(int16_t row, const XywhRect& rect, int, int) {
    MoonFeatureRecord f;
    if (ReadTerminatorRecord(row, &f)) DrawRowText(f, rect);
}

bool GetShownMoonFeature(const MoonAssistantState& s, MoonFeatureRecord* record) {
    if (s.view == kMoonViewFeatures) return GetMoonFeatureInRange(s.featureRow, record);
    if (s.view == kMoonViewTerminator) return ReadTerminatorRecord(s.terminatorRow, record);
    return false;
}
