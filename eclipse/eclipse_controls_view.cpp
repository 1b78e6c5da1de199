#include "eclipse/eclipse_controls_view.h"

#include <initializer_list>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/form_controls.h"
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

void ShowMapViewControls(pl::Hwnd form) {
    Set(form, {2711, 2712, 2713, 2714, 2715, 2716, 2717, 2721, 2704, 2707, 2708, 2718, 2709, 2710}, {2724, 2706});
}
