// The deep-sky pictures of stellarium-data (nebulae/default/*.png): which
// objects a picture file shows (from its file name), the program paths the
// picture look-ups ask for those objects by, the credits of textures.json, and
// the conversion of a PNG picture into the JPEG the program shows.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace convert {

// An object by designation id and number (Messier 31 is {40, 31}).
struct PictureObject {
    int designation;
    long number;
};

// The objects a picture file shows, from its name: "m<N>..." Messier N,
// "n<N>..." NGC N, "ic<N>..." IC N, "pleiades.png" M45; m31.png also M32 and
// M110, m42.png also M43. Empty for any other name.
std::vector<PictureObject> PictureFileObjects(const std::string& fileName);

// The program paths ("img/messier/M31.jpg") of an object's picture under its
// own designation, and under the other keys the Messier table gives the same
// object (M31 is also asked for as img/ngc/NGC224.jpg, NGC 224 as M31).
std::string OwnPicturePath(const PictureObject& object);
std::vector<std::string> OtherPicturePaths(const PictureObject& object);

// A picture file of the package with its credit and the program paths it is
// written under.
struct PicturePlan {
    std::string file;
    std::string credit;
    std::vector<std::string> paths;
};

// The plan for the picture files of the package (any order), sorted by file
// name: each file that shows an object and has a credit, under its objects'
// own paths and their other keys. Own paths are claimed first, then the
// others, each by the first file in name order (so a picture of NGC 224 of its
// own would be img/ngc/NGC224.jpg, m31.png only img/messier/M31.jpg).
std::vector<PicturePlan> PlanPictures(std::vector<std::string> files, const std::map<std::string, std::string>& credits);

// The credit of each picture of textures.json, by file name ("m31.png"): the
// imageCredits' short text (key "short" in any case), with its infoUrl after a
// comma when there is one. Read leniently: a number may start with its point
// ("-.9794") and a comma may stand before a closing bracket. Throws
// SourceError when the text still is no JSON.
std::map<std::string, std::string> ParsePictureCredits(const std::string& text, const std::string& source);

// 8-bit RGB rows, top row first.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The largest side a picture source may declare.
constexpr int kLargestPictureSide = 8192;

// Decodes PNG bytes of any colour type (grey becomes RGB, transparent parts lie
// on black). Throws SourceError for bytes that are no PNG or a picture with a
// side above kLargestPictureSide.
RgbPicture DecodePng(const std::string& bytes, const std::string& source);

// The picture shrunk so that its long side is at most `longSide` (each pixel
// the mean of the source pixels it covers); as it is when it already fits.
RgbPicture ShrinkPicture(const RgbPicture& picture, int longSide);

// JPEG bytes of a picture, with a comment marker that says the converter made it.
std::string EncodePictureJpeg(const RgbPicture& picture, const std::string& source);

// True when the first bytes of a JPEG file carry that comment marker: a
// picture the converter made, which it may replace (a user's own is kept).
bool MadeByConverter(const std::string& firstBytes);

}  // namespace convert
