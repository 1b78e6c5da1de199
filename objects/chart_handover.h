// Handing an object to the sky chart from the forms that show one: the chart
// views of the sky above the horizon would not show an object below it.
#pragma once

// For an object `altitude` degrees up: in every view but the Whole Sky (2)
// and the Equatorial Sky (4) an object below the horizon asks whether the
// chart should change; No gives false; Yes turns the chart to the Whole Sky,
// forces its clock and marks the horizon projection stale. True when the
// chart may be opened on the object.
bool AgreeChartViewForAltitude(double altitude);
