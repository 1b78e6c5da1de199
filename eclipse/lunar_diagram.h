// The geometry of the lunar eclipse diagram: the Earth's shadow fixed at the
// centre of the drawing, north up and east left, and the Moon at each contact
// and at greatest eclipse placed where it stands against the shadow at that
// instant. Everything is drawn to one scale, that of the Moon's diameter, so a
// contact Moon's limb touches the edge of the shadow it enters or leaves.
//
// The shadow's radii are those the contacts are computed with (Meeus,
// Astronomical Algorithms, ch. 54: penumbra 1.2848 + u and umbra 0.7403 - u
// Earth radii at the Moon, the Moon 0.2725 Earth radii, the shadow enlarged
// by the atmosphere); the places are geocentric (ComputeBody in position
// mode 0, which the caller sets), the shadow's centre the point opposite the
// Sun at each instant.
#pragma once

#include <string>
#include <vector>

#include "ephemeris/lunation.h"

struct EclipseEvent;

// A Moon of the diagram: its label ("P1", "U1", "U2", "G", "U3", "U4", "P4"),
// its instant (Julian day, universal time) and its centre (pixels).
struct LunarDiagramMoon {
    std::string label;
    double jd;
    double x, y;
};

struct LunarDiagram {
    double pixelsPerArcminute;
    double moonRadius, umbraRadius, penumbraRadius;  // pixels
    double eclipticX1, eclipticY1, eclipticX2, eclipticY2;  // the ecliptic through the shadow, pixels
    std::vector<LunarDiagramMoon> moons;  // P1 and P4 always, the greatest eclipse, the other contacts that occur
};

// The diagram of a lunar eclipse around the shadow's centre (cx, cy) with the
// Moon `moonDiameter` pixels across; the site's zone turns the UT instants into
// the local times ComputeBody takes. The ecliptic runs through the shadow's
// places two days before and after greatest eclipse.
LunarDiagram ComputeLunarDiagram(const EclipseEvent& event, const LunarEclipseContacts& contacts, double cx,
                                 double cy, double moonDiameter);
