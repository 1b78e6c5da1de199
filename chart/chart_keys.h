// The sky chart's keys: the arrow and page keys move the chart (or slew the
// telescope with the scope keys on), the handheld's hardware keys 0xC1..0xC4
// step the time or turn the chart and zoom, the action key opens the
// selection's information, and N, E, S, W face the chart that way; the
// direction popup (list 5099) does the same for eight directions.
#pragma once

// Direction bits of a key event.
constexpr int kChartKeyLeft = 2;
constexpr int kChartKeyRight = 4;
constexpr int kChartKeyAction = 8;

// A key as the chart form hands it on: the virtual key code (Page Up 33, Page
// Down 34, Left 37, Up 38, Right 39, Down 40, Enter 13, 0xC1..0xC4) or, for
// the letters, the character typed ('n', 'e', 's', 'w' in either case), and
// the direction bits (Left 2, Right 4, Enter 8).
struct ChartKeyEvent {
    int keyCode;
    int directions;
};

// The key event of a key-down message's key code, or of a typed character
// (`character` set); keyCode 0 for a key the chart does not take.
ChartKeyEvent ChartKeyOfVirtualKey(int vk);
ChartKeyEvent ChartKeyOfCharacter(int character);

// Frees the save-under boxes unless a telescope is connected, then
// HandleChartKey with the scope-connected flag.
void ChartKeyDown(const ChartKeyEvent& key);

// With `scopeKeys` (a telescope connected) on a drive that is not an encoder
// box, or in the simulation, the arrow and page keys and 0xC3 / 0xC4 slew the
// telescope up, down, left and right at the rate of the zoom (steps 0..5: 0,
// 6..9: 1, above: 2). Otherwise, held keys repeating until released:
// - Up and Page Down, Down and Page Up, Left, Right: the Sky Map and Horizon
//   View move by 4 GetScreenScale pixels a repeat (up, down, left, right; the
//   Horizon View wrapping by its panorama), ending on the entry or sky point
//   at the centre; a sphere view's centre elevation goes down (Up) or up
//   (Down) and its angle back (Left) or on (Right) by the field of view / 30
//   a repeat, the elevation within [-90, 90] ([0, 90] in Visible Sky), the
//   angle wrapped;
// - 0xC1 / 0xC2: with a "Time Step" (word 29) one step back / on
//   (StepChartTime); else the Sky Map turns by + / - 5, 4, 3, 2 or 1 degrees a
//   repeat (zoom 0..1, 2..3, 4..5, 6..7, 8 and above), the Horizon View moves
//   left / right, a sphere view's angle goes back / on;
// - 0xC3 / 0xC4: one zoom step out / in, not below 0 nor above 12;
// - the action key: the information of the selected row, when a row is;
// - N, E, S, W: SetChartDirection 0, 2, 4, 6.
// Returns 1 when the key was used, 0 when it was not a chart key.
int HandleChartKey(const ChartKeyEvent& key, int scopeKeys);

// Direction row 0..7 (N, NE, E, SE, S, SW, W, NW): the Sky Map turned to
// -180, -135, -90, -45, 0, 45, 90 or 135 degrees; the Horizon View centred on
// what lies at azimuth 0, 45, .. 315 at the chart's middle height; a sphere
// view's centre angle set to minus that azimuth (in [0, 360)), no row. The
// chart is drawn again.
void SetChartDirection(int row);
