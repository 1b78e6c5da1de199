// Handing an object to the altitude graph (form 2410): the object is kept
// for the graph, which draws its altitude over the nights of a month.
#pragma once

#include <cstdint>

// The object the altitude graph opens on.
struct AltitudeGraphObject {
    char name[20];         // display name, at most 19 characters
    int32_t designation;   // designation id of its catalogue
    int32_t index;         // its position in that catalogue (0-based)
    double rightAscension; // hours
    double declination;    // degrees
    int32_t planet;        // body index for a solar-system body, else -1
    int32_t year, month;   // the month graphed
};

extern AltitudeGraphObject altitudeGraphObject;

// Keeps the object and the month, then opens form 2410.
void OpenAltitudeGraph(const char* name, int designation, int index, double ra, double dec, int planet, int year,
                       int month);
