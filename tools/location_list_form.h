// The location list (form 1600): every record of the location database in an
// owner-drawn list drawn on demand, the chosen record's latitude and longitude
// below it, "Ok" and "Cancel". The chosen row becomes locationListChoice,
// which the location form loads when it opens again.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kLocationListForm = 1600;
constexpr int kLocationListTitle = 8010;
constexpr int kLocationRows = 1601;
constexpr int kListLatitudeField = 1602;
constexpr int kListLongitudeField = 1603;
constexpr int kLocationListOk = 1605;
constexpr int kLocationListCancel = 1606;

// The form's dialog procedure. The database stays open from the first paint
// until the form closes; without it "Could not retreive
// zendavori_location.ppc database." and an empty list. Page-up selects the
// next row and page-down the previous one, both wrapping.
pl::LResult LocationListProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
