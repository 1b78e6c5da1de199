#include "objects/altitude_graph_open.h"

#include <cstdio>

#include "ui/forms.h"

AltitudeGraphObject altitudeGraphObject{};

namespace {

constexpr int kAltitudeGraphForm = 2410;

}  // namespace

void OpenAltitudeGraph(const char* name, int designation, int index, double ra, double dec, int planet, int year,
                       int month) {
    AltitudeGraphObject& g = altitudeGraphObject;
    std::snprintf(g.name, sizeof g.name, "%s", name ? name : "");
    g.designation = designation;
    g.index = index;
    g.rightAscension = ra;
    g.declination = dec;
    g.planet = planet;
    g.year = year;
    g.month = month;
    GotoForm(kAltitudeGraphForm);
}
