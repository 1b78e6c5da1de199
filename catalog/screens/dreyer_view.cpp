#include "catalog/screens/dreyer_view.h"

#include <algorithm>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/dreyer.h"
#include "catalog/object_catalog.h"
#include "core/shared_buffers.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTypePlanet = 27;
constexpr int kDesignationSaoDouble = 51;
constexpr std::size_t kDescriptionBufferSize = 55;
constexpr int kLabelFont = 5;
constexpr int kTextFont = 2;
constexpr char kDescriptionLabel[] = "Dreyer desc.";
constexpr char kTranslationLabel[] = "Translation";

// Catalogues whose objects have no Dreyer descriptions.
constexpr int kWithoutDescriptions[] = {
    0,  kDesignationComet, kDesignationConstellation, kDesignationHip,        kDesignationHr,   kDesignationMeteor,
    kDesignationPlanet, kDesignationSaoDouble, kDesignationBrightStar, kDesignationTycho, kDesignationUser,
};

bool MayHaveDescription(const DreyerObject* object) {
    if (!object || object->objectType == kTypePlanet) return false;
    return std::find(std::begin(kWithoutDescriptions), std::end(kWithoutDescriptions), object->designationId) ==
           std::end(kWithoutDescriptions);
}

void DrawLabel(const char* text, int x, int y) {
    SelectFont(kLabelFont);
    DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y);
}

}  // namespace

void ShowDreyerDescription(const DreyerObject* object, XywhRect* rect) {
    if (!rect) return;
    EraseRectangle(*rect);
    char description[kDescriptionBufferSize] = {};
    if (!MayHaveDescription(object) ||
        !FindDreyerDescription(object->designationId, object->number, description, sizeof description))
        return;
    // Without the shared buffer (its allocation failed at start-up) the
    // translation goes through one of its own.
    char local[kTxtBufferSize];
    char* translation = txtBuffer ? txtBuffer : local;
    translation[0] = '\0';
    TranslateDreyerDescription(description, translation, kTxtBufferSize);

    const int s = ScaleY(13);
    const int x = rect->x;
    const int top = rect->y;
    const int bottom = rect->y + rect->height;
    int previousFont = GetCurrentFontId();
    DrawLabel(kDescriptionLabel, x, top);
    SelectFont(kTextFont);
    int h = DrawTextInRect(description, x, top + s, rect->width, rect->height);
    DrawLabel(kTranslationLabel, x, top + s + h);
    SelectFont(kTextFont);
    rect->y = top + 2 * s + h;
    DrawTextInRect(translation, x, rect->y, rect->width, std::max(0, bottom - rect->y));
    SelectFont(previousFont);
}
