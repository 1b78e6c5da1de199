// The finder's detail area: what the current target is and where it stands
// now. Drawn into the current draw window (the finder form), below its popups;
// the keypad's buttons keep their places over it.
#pragma once

// Erases the detail area; when the target is found (catalogue `kind`), draws
// its symbol with the visibility eye while it is above the horizon, the
// difficulty gauge, the pairs "RA", "Dec", "Alt", "Az", "Const" and either
// "Mag", "Eye.", "Size" or, for a meteor shower, "Start", "Max", "End",
// "Zhr", then "Rise & Set" over the 24-hour bar, and on screens taller than
// the design the object's description. The camera button shows when a
// picture of the target exists (never for user objects), the ephemeris
// button while the target is found.
void DrawFinderDetail(int kind);
