// The star sources: the Bright Star Catalogue as xplanet ships it, the
// Hipparcos stars of Stellarium's star catalogues (levels 0-2), Stellarium's
// HIP/HR cross identifications and its constellation figures.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace convert {

// One line of the BSC file: J2000 position, V, the 10-character name field
// (Flamsteed number, Bayer code, superscript, constellation) and the numbers.
struct BscStar {
    int hr = 0;
    double raHours = 0;
    double decDegrees = 0;
    double vmag = 0;
    std::string nameField;  // exactly 10 characters
    long hd = 0;
};

// Lines "Dec RA V "name" HR HD [SAO]"; "#" starts a comment. A malformed line
// throws SourceError with its line number.
std::vector<BscStar> ParseBsc(const std::string& text, const std::string& source);

// Name field pieces: Flamsteed number (0 none), Bayer letter in the symbol
// font's encoding ('a' alpha .. 'w' omega; 0 none), superscript (0 none).
struct BscName {
    int flamsteed = 0;
    char bayer = 0;
    int superscript = 0;
};
BscName ParseBscName(const std::string& nameField);

// One Hipparcos star of a Stellarium star catalogue (type-0 records), J2000.
// The component is 0 for a single star, 1 for A, 2 for B ...
struct HipStar {
    int hip = 0;
    int component = 0;
    double raHours = 0;
    double decDegrees = 0;
    double vmag = 0;
    double bv = 0;
};

// The stars of one Stellarium type-0 catalogue file that carry a HIP number.
// Throws SourceError when the header, zone table or length do not agree.
std::vector<HipStar> ParseStellariumStars(const std::string& bytes, const std::string& source);

// HIP -> HR of Stellarium's cross-id.dat (rows without HR are skipped; the
// first row of a HIP number wins).
std::map<int, int> ParseCrossIdHipToHr(const std::string& text);

// HR -> (HIP, component) of cross-id.dat: component 0 where the row gives no
// letter, 1 for "A", 2 for "B" ...
std::map<int, std::pair<int, int>> ParseCrossIdHrToHip(const std::string& text);

// A constellation figure of constellationship.fab: the abbreviation and its
// segments as HIP pairs. Figures whose name starts with "." (parts of another
// figure) are left out.
struct Figure {
    std::string abbreviation;
    std::vector<std::pair<int, int>> segments;
};
std::vector<Figure> ParseFigures(const std::string& text, const std::string& source);

}  // namespace convert
