#include "eclipse/eclipse_controls_view.h"

#include <algorithm>
#include <initializer_list>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/control_access.h"
#include "ui/font_set.h"
#include "ui/form_controls.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kLatitudeField = 2715;
constexpr int kLongitudeField = 2716;

void Set(pl::Hwnd form, std::initializer_list<int> hidden, std::initializer_list<int> shown) {
    for (int id : hidden) HideObject(form, id);
    for (int id : shown) ShowObject(form, id);
}

}  // namespace

std::string CoordWithHemisphereText(double value, char positive, char negative, const char* separator) {
    int32_t saved = preferences.word[kPrefDecFormat];
    preferences.word[kPrefDecFormat] = 3;
    char text[48];
    DegToStr(text, sizeof text, value < 0 ? -value : value);
    preferences.word[kPrefDecFormat] = saved;
    return std::string(text) + separator + (value < 0 ? negative : positive);
}

void SetLocationFields(double longitude, double latitude) {
    SetField(kLatitudeField, CoordWithHemisphereText(latitude, 'N', 'S', " ").c_str());
    SetField(kLongitudeField, CoordWithHemisphereText(longitude, 'W', 'E', " ").c_str());
}

void DrawEclipseText(const std::string& text, int x, int y) {
    DrawLabelText(text.c_str(), static_cast<int>(text.size()), x, y);
}

void DrawCoordWithHemisphere(double value, char positive, char negative, int x, int y) {
    DrawEclipseText(CoordWithHemisphereText(value, positive, negative, ""), x, y);
}

void DrawEclipseTexts(const std::vector<EclipseViewText>& texts) {
    const int previous = GetCurrentFontId();
    int screenWidth = 0, screenHeight = 0;
    GetScreenSize(&screenWidth, &screenHeight);
    int rowY = -1, rowX = 0, rowEnd = 0;
    for (const EclipseViewText& t : texts) {
        if (t.font != GetCurrentFontId()) SelectFont(t.font);
        // DrawLabelText draws font 0's texts in font 2.
        const int font = GetCurrentFontId();
        if (font == 0) SelectFont(2);
        const int width = CharsWidth(t.text.c_str(), static_cast<int>(t.text.size()));
        const int space = CharsWidth(" ", 1);
        if (font == 0) SelectFont(0);
        int x = t.x;
        if (t.y == rowY && x >= rowX && x < rowEnd + space) x = rowEnd + space;
        if (x + width > screenWidth) x = std::max(screenWidth - width, 0);
        DrawEclipseText(t.text, x, t.y);
        rowY = t.y, rowX = x, rowEnd = x + width;
    }
    SelectFont(previous);
}

void DrawFilledDisc(int cx, int cy, int d, pl::ColorRef colour) {
    pl::ColorRef previous = SetForeColor(colour);
    FillRectangle({cx - d / 2, cy - d / 2, d, d}, d / 2);
    SetForeColor(previous);
}

void UseSchemeTextColours() {
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
}

void ShowListViewControls(pl::Hwnd form) {
    Set(form, {2711, 2712, 2713, 2714, 2715, 2716, 2717, 2718, 2719, 2720, 2724, 2710, 2706},
        {2708, 2709, 2704, 2707});
}

void ShowPathViewControls(pl::Hwnd form) {
    Set(form, {2711, 2712, 2713, 2714, 2715, 2716, 2717, 2724, 2710, 2708, 2709, 2704, 2707, 2718, 2719, 2720},
        {2706});
}

void ShowDiagramViewControls(pl::Hwnd form, bool solar) {
    Set(form, {2711, 2712, 2713, 2714, 2715, 2716, 2717, 2708, 2709, 2704, 2707, 2718, 2719, 2720, 2724, 2710},
        {2706});
    if (solar) ShowObject(form, 2721);
    else HideObject(form, 2721);
}

void ShowMapViewControls(pl::Hwnd form) {
    Set(form, {2711, 2712, 2713, 2714, 2715, 2716, 2717, 2721, 2704, 2707, 2708, 2718, 2709, 2710}, {2724, 2706});
}
