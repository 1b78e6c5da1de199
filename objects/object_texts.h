// Texts and values that the finder and the observing list's panel show alike
// for an object: its rating in the telescope, meteor-shower dates and gauge,
// the best eyepiece, the size.
#pragma once

#include <cstddef>

#include "catalog/object_catalog.h"

// The meteor shower's gauge rating by its activity class: 1 gives 3.0, 3 gives
// 1.5, 4 gives 1.0, any other 2.0.
float MeteorShowerRating(int activityClass);

// "%02d-%s" of a day and the month's abbreviation ("Jan", "Fev", "Mar", ...);
// a month outside 1..12 gives an empty abbreviation.
void FormatShowerDate(char* text, std::size_t size, int day, int month);

// "%dmm" of the telescope's focal length over the best power, "None" below a
// power of 1.
void FormatBestEyepiece(char* text, std::size_t size, double focalLength, int power);

// An angle in arcminutes as whole arcminutes and the remaining whole arcseconds, "%d'%d".
void FormatArcminutes(char* text, std::size_t size, double arcminutes);

// The best power and difficulty rating of an object in the telescope of the
// preferences (aperture and focal length in millimetres) under the sky of the
// site's condition (RateObjectVisibility): the one rating that the observing
// list's panel, object information, the finder's detail and the criteria
// search give an object. Its magnitude and sizes (arcminutes) are the record's,
// except that a comet or asteroid (designation 12) is rated as a disc of
// 0.5' x 0.5', the size its look-up gives it, whatever the record holds (a
// list entry keeps whole arcminutes: none for it). An object whose magnitude
// is not below the telescope's limit `scopeLimit` (SelectionScopeLimit), or
// whose rating is not above 0, has power 0 and rating 0: no eyepiece, "Too
// faint".
struct TelescopeRating {
    double focalLength = 0.0;
    int power = 0;
    double rating = 0.0;
};
TelescopeRating RateInTelescope(const ObjectRecord& r, float scopeLimit);
