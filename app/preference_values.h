// Quantities derived from the preference words; read afresh at every call.
#pragma once

// Entries of the observing-list allocation: the named bright stars, the "Max
// Selected items" preference and 5 more (one of them for a list file's end mark).
int GetSelectionListCapacity();
