// One-shot selections of the observing list: the objects of a kind that are
// visible now, for the home form, the charts, the assistants and the list
// manager.
#pragma once

// Fills the list with the objects of class `kind` (0 any) in catalogue
// `catalogue` (designation id, 0 any), option `option` (the criteria's type),
// visible at currentDateTime: the list is emptied first, comets are limited to
// the telescope's magnitude, and the chart is set on the first object found at
// the current date and time.
void RunObjectSelection(int kind, int catalogue, int option);

// The same appended to the list as it is, keeping its current entry (on its row
// after the search's sort; none when there was none) and the chart.
void RunObjectSelectionKeepIndex(int kind, int catalogue, int option);
