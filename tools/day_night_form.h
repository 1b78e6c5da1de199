// The day and night form (2423): the world map with the night side for the
// program's date and time, the site, the local, universal and sidereal times,
// the equation of time and the Sun's declination; on screens taller than the
// map's 240 design units the day length and twilight panel, on screens larger
// than the design the sky around the Sun. The user moves through time by
// dragging over the map (5 minutes a pixel, right is earlier), with the page
// keys (a day), Left and Right and the hardware keys 195 and 196 (30 minutes),
// or through the date and time form; every change is made to currentDateTime
// itself and marks it fixed, so the rest of the program follows.
#pragma once

#include "platform/types.h"

constexpr int kDayNightForm = 2423;
constexpr int kDayNightTitle = 8024;
constexpr int kDayNightHelp = 2425;
constexpr int kDayNightBack = 2424;
constexpr int kDayNightSiteField = 2433;
constexpr int kDayNightLatitudeField = 2435;
constexpr int kDayNightLongitudeField = 2434;
constexpr int kDayNightDateField = 2426;
constexpr int kDayNightZoneField = 2431;
constexpr int kDayNightTimeField = 2427;
constexpr int kDayNightUtField = 2428;
constexpr int kDayNightLstField = 2429;
constexpr int kDayNightNow = 2432;
constexpr int kDayNightEqTimeField = 2436;
constexpr int kDayNightSunDecField = 2437;
// The labels the form shows at start (hidden in the template).
constexpr int kDayNightTimeLabel = 2438;
constexpr int kDayNightUtLabel = 2439;
constexpr int kDayNightLstLabel = 2440;
constexpr int kDayNightEqTimeLabel = 2441;
constexpr int kDayNightSunDecLabel = 2442;
// The hardware keys that step the time 30 minutes on and back.
constexpr int kKeyTimeOn = 195;
constexpr int kKeyTimeBack = 196;

// Fills every field and draws the map, the panel (screen taller than
// 240 x scaleY, from y 213 x scaleY) and the sky view (screen larger than
// 320 x scaleX by 320 x scaleY) for currentDateTime, into the current draw
// window; reads the screen size first.
void DrawDayNightForm();

pl::LResult DayNightProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
