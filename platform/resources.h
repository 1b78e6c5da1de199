// Resources: dialog templates, menus, menu bars, accelerator tables, strings,
// bitmaps and sounds, kept as constant tables compiled into the program. A
// folder of forms defines one ResourceGroup of tables; the groups are
// installed at start-up and looked up here by id (sounds by name). Texts are
// program text (Windows-1252 bytes, "\x95" for the bullet, "\xB0" for the
// degree sign).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi.h"

namespace pl {

// Control kinds of a dialog template.
enum ControlKind : uint8_t {
    kStaticControl,    // text, or an empty box the program paints
    kButtonControl,    // push button: a tap (pen up inside) sends its id as a command
    kCheckBoxControl,  // check box that toggles itself when tapped
    kEditControl,      // text edit
    kListViewControl,  // report-style list
};

// Control styles (bits). Controls are visible and enabled unless stated.
enum ControlStyle : uint32_t {
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kBorder = 1u << 2,
    kCenterText = 1u << 3,  // static and button text
    kRightText = 1u << 4,
    kDefaultButton = 1u << 5,
    kMultiLine = 1u << 6,   // edit: several lines, Enter starts a new one
    kReadOnly = 1u << 7,    // edit
    kOwnerData = 1u << 8,   // list: rows are asked for their text when drawn
    kOwnerDraw = 1u << 9,   // list: the owner measures and draws each row
    kNoHeader = 1u << 10,   // list: no column header
    kSingleSelect = 1u << 11,
    kNoScroll = 1u << 12,   // list: no scroll bar
    kVerticalScroll = 1u << 13,  // edit: a vertical scroll bar
};

// One control: kind, id, text, place and size in dialog units, styles.
struct ControlTemplate {
    ControlKind kind = kStaticControl;
    int id = 0;
    const char* text = "";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    uint32_t style = 0;
};

// A dialog: id, place and size in dialog units, caption, controls in order
// (the order of creation and of focus).
struct DialogTemplate {
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    const char* caption = "";
    std::span<const ControlTemplate> controls{};
};

// Menu items. A null text is a separator. "&&" stands for one ampersand; a
// single "&" marks the next letter (not shown).
enum MenuItemFlags : uint32_t { kMenuGrayed = 1u << 0, kMenuChecked = 1u << 1 };
struct MenuItemTemplate {
    const char* text = nullptr;
    int command = 0;
    uint32_t flags = 0;
};

// A menu: popups side by side, each with its items.
struct MenuPopupTemplate {
    const char* text = "";
    std::span<const MenuItemTemplate> items{};
};
struct MenuTemplate {
    int id = 0;
    std::span<const MenuPopupTemplate> popups{};
};

// A menu bar: buttons left to right, each with the string id of its text and
// the popup of the menu of the same id that it drops down.
struct MenuBarButtonTemplate {
    int stringId = 0;
    int command = 0;
    int popupIndex = 0;
};
struct MenuBarTemplate {
    int id = 0;
    std::span<const MenuBarButtonTemplate> buttons{};
};

// Accelerators: a virtual key with modifier keys gives a command.
enum AcceleratorModifiers : uint32_t { kAccelShift = 1u << 0, kAccelControl = 1u << 1, kAccelAlt = 1u << 2 };
struct AcceleratorTemplate {
    int key = 0;
    uint32_t modifiers = 0;
    int command = 0;
};
struct AcceleratorTableTemplate {
    int id = 0;
    std::span<const AcceleratorTemplate> entries{};
};

struct StringTemplate {
    int id = 0;
    const char* text = "";
};

// A bitmap, either a text pixel map or a generator. A pixel map holds
// `height` rows of `width` characters, top row first, each character a key of
// the palette. A generator fills width x height pixels 0x00RRGGBB, top row
// first, row after row.
struct PaletteEntry {
    char key = ' ';
    uint32_t rgb = 0;  // 0x00RRGGBB
};
struct BitmapTemplate {
    int id = 0;
    int width = 0;
    int height = 0;
    std::span<const char* const> rows{};
    std::span<const PaletteEntry> palette{};
    void (*generate)(uint32_t* pixels, int width, int height) = nullptr;
};

// A sound: tones one after the other (frequency 0 is a pause).
struct ToneTemplate {
    int frequencyHz = 0;
    int durationMs = 0;
};
struct SoundTemplate {
    const char* name = "";
    std::span<const ToneTemplate> tones{};
};

// The tables of one group of forms; any may be empty.
struct ResourceGroup {
    std::span<const DialogTemplate> dialogs{};
    std::span<const MenuTemplate> menus{};
    std::span<const MenuBarTemplate> menuBars{};
    std::span<const AcceleratorTableTemplate> accelerators{};
    std::span<const StringTemplate> strings{};
    std::span<const BitmapTemplate> bitmaps{};
    std::span<const SoundTemplate> sounds{};
};

// Adds a group to the installed resources (a group already installed is not
// added twice); lookups search the groups in the order they were added.
void AddResourceGroup(const ResourceGroup& group);
// Removes every installed group (tests).
void ClearResourceGroups();

// Lookups by id; null when there is none.
const DialogTemplate* FindDialogTemplate(int id);
const MenuTemplate* FindMenu(int id);
const MenuBarTemplate* FindMenuBar(int id);
const AcceleratorTableTemplate* FindAcceleratorTable(int id);
const BitmapTemplate* FindBitmapTemplate(int id);
const SoundTemplate* FindSound(const std::string& name);
// The text of a string, or null.
const char* FindString(int id);

// Copies string `id` into buffer (size bytes, terminator included), cut to
// size - 1 characters. Returns the number of characters copied, 0 when there
// is no such string (the buffer then holds an empty text when size > 0).
int LoadString(int id, char* buffer, int size);

// Pixels of a bitmap, 0x00RRGGBB rows top-down. False (and no pixels) when
// the table is inconsistent: a row of the wrong length, a key missing from
// the palette, no rows and no generator, or a side outside 1..4096.
bool RenderBitmapTemplate(const BitmapTemplate& bitmap, std::vector<uint32_t>* pixels);

// A new 32-bit bitmap holding bitmap resource `id` (the caller deletes it);
// null when there is none or its table is inconsistent.
Hbitmap LoadBitmap(int id);

// 16-bit samples of a sound at the given rate (square-ish tones with a short
// fade so they do not click).
std::vector<int16_t> RenderSound(const SoundTemplate& sound, int sampleRate);

// Menu text as shown: "&&" becomes "&", a single "&" is dropped.
std::string MenuDisplayText(const char* text);

// A static label's text as it shows: "&&" is one "&"; a single "&" shows as
// itself (the labels write it as plain text: "Eyepieces & Filters").
std::string LabelDisplayText(const std::string& text);

// Dialog units to pixels: round(units x 1.75 x scale), scale being the
// screen's pixels per inch over 96 on that axis.
int DialogUnitsToPixels(int units, double scale);

}  // namespace pl
