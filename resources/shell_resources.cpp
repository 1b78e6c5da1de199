// The main window's resources: window title and class, the menu-bar button
// texts, the two application menus (102 for tall screens, 103 for short ones)
// with their menu bars, and the accelerator table.
#include "resources/program_resources.h"

namespace {

using pl::MenuItemTemplate;
using pl::MenuPopupTemplate;

constexpr pl::StringTemplate kStrings[] = {
    {1, "Zendavori"}, {3, "POCKETPC"}, {104, "Tools"}, {40006, "Assistants"}, {40010, "Settings"}, {40018, "Devices"},
};

// A null text is a separator.
constexpr MenuItemTemplate kSeparator{};

constexpr MenuItemTemplate kTools102[] = {
    {"Wizard", 1011},         kSeparator,
    {"2-StarAlignment", 1005}, {"N-StarAlignment", 1006}, {"PolarAlignment", 1019}, kSeparator,
    {"ObjectInfo", 1007},     {"VezizIvodozi", 1004},    {"SkyChart", 1003},       {"CompassChart", 40015},
    kSeparator,
    {"Scope Control", 1013},  {"Camera Control", 1026},  kSeparator,
    {"Quit", 1035},
};
constexpr MenuItemTemplate kAssistants102[] = {
    {"Finder", 1014}, {"ObserverLog", 1023}, kSeparator,
    {"Comets&&Asteroids", 1028}, {"Eclipses", 1029}, {"Jupiter", 1009}, {"Mars", 1027}, {"Moon", 1008},
    {"Planets", 1017}, {"Satellites", 1032}, {"Saturn", 1010}, kSeparator,
    {"Day/Night", 1024}, {"Twilight", 1022},
};
constexpr MenuItemTemplate kSettings102[] = {
    {"Preferences", 1001}, {"Location", 1002}, kSeparator,
    {"NightMode", 1036}, {"CCD", 1020}, {"Checklist", 1012}, kSeparator,
    {"Load/Save Lists", 1031}, {"Import Memo to List", 1033}, {"Export List to Memo", 1034},
};

constexpr MenuItemTemplate kTools103[] = {
    {"Wizard", 1011}, {"NightMode", 1036}, kSeparator,
    {"ObjectInfo", 1007}, {"VezizIvodozi", 1004}, {"SkyChart", 1003}, {"CompassChart", 40015}, kSeparator,
    {"Finder", 1014}, {"ObserverLog", 1023}, kSeparator,
    {"Quit", 1035},
};
constexpr MenuItemTemplate kAssistants103[] = {
    {"Comets&&Asteroids", 1028}, {"Eclipses", 1029}, {"Jupiter", 1009}, {"Mars", 1027}, {"Moon", 1008},
    {"Planets", 1017}, {"Satellites", 1032}, {"Saturn", 1010}, kSeparator,
    {"Day/Night", 1024}, {"Twilight", 1022},
};
constexpr MenuItemTemplate kDevices103[] = {
    {"2-StarAlignment", 1005}, {"N-StarAlignment", 1006}, {"PolarAlignment", 1019}, kSeparator,
    {"Scope Control", 1013}, {"Camera Control", 1026}, {"CCD", 1020},
};
constexpr MenuItemTemplate kSettings103[] = {
    {"Preferences", 1001}, {"Location", 1002}, {"Checklist", 1012}, kSeparator,
    {"Load/Save Lists", 1031}, {"Import Memo to List", 1033}, {"Export List to Memo", 1034},
};

constexpr MenuPopupTemplate kMenu102[] = {
    {"Tools", kTools102}, {"Assistants", kAssistants102}, {"Settings", kSettings102},
};
constexpr MenuPopupTemplate kMenu103[] = {
    {"Tools", kTools103}, {"Assistants", kAssistants103}, {"Devices", kDevices103}, {"Settings", kSettings103},
};
constexpr pl::MenuTemplate kMenus[] = {{102, kMenu102}, {103, kMenu103}};

// Each button drops down the popup of the same index; its command is its
// string id.
constexpr pl::MenuBarButtonTemplate kBar102[] = {{104, 104, 0}, {40006, 40006, 1}, {40010, 40010, 2}};
constexpr pl::MenuBarButtonTemplate kBar103[] = {
    {104, 104, 0}, {40006, 40006, 1}, {40018, 40018, 2}, {40010, 40010, 3},
};
constexpr pl::MenuBarTemplate kMenuBars[] = {{102, kBar102}, {103, kBar103}};

constexpr pl::AcceleratorTemplate kAccel3[] = {{'Q', pl::kAccelControl, 1}, {'A', pl::kAccelControl, 40003}};
constexpr pl::AcceleratorTableTemplate kAccelerators[] = {{3, kAccel3}};

}  // namespace

const pl::ResourceGroup kShellResources = {
    .menus = kMenus,
    .menuBars = kMenuBars,
    .accelerators = kAccelerators,
    .strings = kStrings,
};
