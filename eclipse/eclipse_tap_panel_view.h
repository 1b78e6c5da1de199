// The panel of the Map view for a tapped place: its coordinates, the first
// contact, greatest eclipse (with the part of the Sun covered) and the last
// contact there, and a picture of the Sun and the Moon at greatest eclipse as
// seen from the place. Drawn over the map saved by the last full map drawing.
#pragma once

// The panel for the place tapped at screen (x, y): the typed location of the
// eclipse form (already set from the tap) goes into the Latitude and Longitude
// fields; a leader line joins the tap to the panel at the bottom of the view.
void DrawEclipseTapPanel(int x, int y);
