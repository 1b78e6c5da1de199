// Texts and rules of the Martian features (MarsFeatureRecord) for the Mars
// map, its call-out and the globe: type 0 cavus, 1 mons, 2 crater, 3 planitia,
// 4 planum, 5 landing, 6 catena, 7 chasma, 8 rupes, 9 terra.
#pragma once

#include <string>

#include "catalog/mars_features.h"

// "cavus_" .. "terra_" for types 0..9, "" for any other type.
const char* MarsFeaturePicturePrefix(int type);

// "Cavus %d km " .. "Terra %d km " (type 3 "Plannitia %d km ") with the size;
// "" for a type outside 0..9.
std::string MarsFeatureSizeText(const MarsFeatureRecord& feature);

// The picture's file name without extension: the type's prefix and the name,
// cut at the first blank ("Olympus Mons" of type 1: "mons_Olympus").
std::string MarsFeaturePictureName(const MarsFeatureRecord& feature);

// The large regions (types 3, 4 and 9): labelled on the map and picked on the globe.
bool IsMarsRegion(int type);

// Named on the map: planitiae and plana of 1000 km or more, terrae of 500 km or more.
bool IsMarsMapLabel(const MarsFeatureRecord& feature);

// "Lat: 12.3\xB0N" ("\xB0S" for a negative latitude) and "Long: 45.6\xB0E"
// ("\xB0W" for a negative longitude), the absolute value to one decimal.
std::string MarsLatitudeText(float latitude);
std::string MarsLongitudeText(float longitude);

// A value of 0 or more to one decimal as the views write it: value + 0.05 cut
// after the first decimal (so 347.64 gives "347.6", 347.66 "347.7").
std::string OneDecimalText(double value);
