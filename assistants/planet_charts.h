// The year charts of the planets assistant, apart from drawing: the scale of
// each quantity and the values of Mercury, Venus, Mars, Jupiter and Saturn on
// one day of the chart, from the approximate planet positions.
#pragma once

constexpr int kChartPlanets = 5;  // Mercury (body 2) .. Saturn (body 6)
constexpr int kChartDays = 383;   // days 0 .. 382 of the chart

// Plotted range, grid step and unit text of a quantity, and the pixels
// between samples.
struct ChartScale {
    int minimum;
    int maximum;
    int step;
    const char* unit;
    int sampleSpacing;
};

// The scale of quantity 0..4 (ChartQuantity); any other gives Elongation's.
ChartScale GetChartScale(int quantity);

// The quantity of the five planets on day `day` of the chart (day 0 is the
// 1st of the start month; the day may run past the month's end) at the local
// hour and minute: elongation from the Sun (degrees), apparent diameter
// (arcseconds), visual magnitude (Meeus ch. 41 laws), illuminated fraction x
// 100, or altitude at the site (degrees, no refraction).
void ComputeChartValues(int quantity, int year, int month, int day, int hour, int minute,
                        double values[kChartPlanets]);
