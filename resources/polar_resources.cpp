// The polar alignment assistant (2470): the title and help along the top; the
// method popup, the date and time fields, the clock and Back under them; the
// drift controls of the King and Rambaut methods in the left column (the
// resolution with "1" and "2", the target with "3" and the reticle popup, the
// star's place) with the reticle picture drawn at their right; the alarm
// popup and the six result fields across the form below. The Quick view draws
// its reticles where the drift controls stand, which it hides. And the alarm
// that ends a timed drift: three falling double beeps.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr uint32_t kPopupList = kHidden | pl::kNoHeader;

constexpr ControlTemplate Label(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, 0};
}
constexpr ControlTemplate Box(int id, int x, int y, int width) { return {kStaticControl, id, "", x, y, width, 9, 0}; }
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width) {
    return {kButtonControl, id, text, x, y, width, 11, 0};
}
constexpr ControlTemplate Popup(int id, int x, int y, int width) {
    return {kStaticControl, id, "", x, y, width, 10, 0};
}
constexpr ControlTemplate List(int id, int x, int y, int width, int height) {
    return {kListViewControl, id, "", x, y, width, height, kPopupList};
}

constexpr int kLeftValue = 25, kRightLabel = 70, kRightValue = 93, kValueWidth = 42;

constexpr ControlTemplate kPolar[] = {
    {kStaticControl, 8032, "PolarAssistant", 0, 0, 70, 14, 0},
    Button(2506, "", 126, 1, 12),
    Popup(2472, 2, 16, 34), List(2473, 2, 26, 40, 40),
    Box(2495, 38, 17, 39), Box(2497, 80, 17, 30),
    Button(2505, "", 112, 16, 12), Button(2471, "", 126, 16, 12),
    Label(2482, "Resolution", 2, 31, 32), Box(2483, 35, 31, 28),
    Button(2501, "1", 66, 30, 12), Button(2504, "2", 81, 30, 12),
    Label(138, "Target", 2, 45, 32), Button(2500, "3", 35, 44, 12),
    Popup(2498, 50, 45, 30), List(2499, 50, 55, 34, 28),
    Label(2474, "Ra", 2, 59, 16), Box(2475, 19, 59, 60),
    Label(2492, "Dec", 2, 70, 16), Box(2493, 19, 70, 60),
    Label(2476, "Correct\xB0", 2, 81, 30), Box(2477, 33, 81, 46),
    Label(139, "Alignment", 2, 95, 38), Popup(2502, 42, 95, 30), List(2503, 42, 105, 34, 64),
    Label(2478, "X Dir", 2, 109, 22), Box(2479, kLeftValue, 109, kValueWidth),
    Label(2480, "Y Dir", kRightLabel, 109, 22), Box(2481, kRightValue, 109, kValueWidth),
    Label(2484, "h", 2, 120, 22), Box(2485, kLeftValue, 120, kValueWidth),
    Label(2488, "A", kRightLabel, 120, 22), Box(2489, kRightValue, 120, kValueWidth),
    Label(2486, "lambda", 2, 131, 22), Box(2487, kLeftValue, 131, kValueWidth),
    Label(2490, "k", kRightLabel, 131, 22), Box(2491, kRightValue, 131, kValueWidth),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2470, 0, 0, 138, 168, "", kPolar},
};

constexpr pl::ToneTemplate kAlarmTones[] = {{1760, 90}, {0, 40}, {1320, 120}, {0, 160}, {1760, 90}, {0, 40},
                                            {1320, 120}, {0, 160}, {1760, 90}, {0, 40}, {1320, 160}};
constexpr pl::SoundTemplate kSounds[] = {{"polarAlarm", kAlarmTones}};

}  // namespace

const pl::ResourceGroup kPolarResources = {.dialogs = kDialogs, .sounds = kSounds};
