// The sky chart's views and settings popup (list 1914): the home form, the
// night colours, three preference pages and the five views of the chart.
#pragma once

// Row r of list 1914: 0 the home form (1950); 1 the night-mode dialog
// (RunChartNightModeDialog); 2, 3, 4 preference pages 1450, 1620 and 1476,
// whose Ok comes back to the chart; 5..9 the view r - 5 (SwitchChartView);
// 10 the compass chart (2830). 1 when a row was handled, 0 for a row outside
// 0..10.
int ChartViewsPopupCommand();

// The view `view` (0..4). From one sphere view to another the place under the
// middle of the view stays there: it is read in the old frame and the new
// view is centred on its frame angle atan2(p, q) and elevation asin(s), in
// degrees. Otherwise the centre words stay and a sphere view's frame is built
// again. Then the chart clock is forced, the save-under boxes freed, the zoom
// of list 1903 set, the class filter applied again with the current row kept
// on its entry, and the chart redrawn.
void SwitchChartView(int view);

// The night-mode dialog over the chart: the object icons freed so that they
// are made again in the new colours, the dialog run (which opens the chart
// again), the chart's colour table built for the new mode.
void RunChartNightModeDialog();
