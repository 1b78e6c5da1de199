// The twilight and altitude graph's state (form 2410), kept for the whole
// run, and the hand-over of one object to it from the object information
// form. The graph shows a year of nights from the first of
// (graphYear, graphMonth) with the rise, transit and set of the object or
// planet given here.
#pragma once

#include <cstdint>

constexpr int kTwilightForm = 2410;
constexpr int kGraphNameSize = 15;

// Kind of a comet or asteroid (GetObjectByKind), whose place is taken day by day.
constexpr int kGraphCometKind = 12;

extern char graphObjectName[kGraphNameSize];  // drawn above the chart, at most 14 characters
extern float graphObjectRA;                   // hours; below 0: no object
extern float graphObjectDec;                  // degrees
extern int32_t graphObjectKind;               // object kind as GetObjectByKind knows it
extern int32_t graphObjectIndex;              // its index for GetObjectByKind
extern int32_t graphPlanet;                   // body index of a planet, else -1
extern int32_t graphYear, graphMonth;         // first month of the chart; -1: take the device clock's
extern int32_t graphDay;                      // day of the date field
extern int32_t graphCursorX, graphCursorY;    // last pen-down point; the keys' cursor x
extern int32_t graphTimeBase;                 // 0 "Local Time (LT)", 1 "LT&DayLight", 2 "Universal Time (UT)"
extern uint8_t graphObjectSet;                // an object or a planet has been given
extern uint8_t graphFromFinder;               // the finder was opened from the form

// Puts at most 14 characters of `name` (null: none) into graphObjectName.
void SetGraphObjectName(const char* name);

// The start values: no object, no month, day 1, cursor (20, 80), local time.
void ResetTwilightGraphState();

// Keeps the object (the name cut to 14 characters; ra in hours, dec in
// degrees; kind and index for GetObjectByKind; planet a body index or -1)
// and the first month of the chart, then opens form 2410.
void OpenAltitudeGraph(const char* name, int kind, int index, float ra, float dec, int planet, int year,
                       int month);
