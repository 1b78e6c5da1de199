// The selection criteria (form 1700, "Choose Selection Criteria"), opened from
// the observing list: vision criteria (visibility, best eyepiece, magnitude),
// object criteria (catalogue, type, constellation, sky elevation) and the
// observing date and time, edited in place in selectionCriteria; New makes a
// new list of the matching objects, Add appends them, Remove deletes them from
// the list; each returns to the observing list.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kCriteriaFormId = 1700;

// Control ids of form 1700.
constexpr int kCriteriaVisibilityTrigger = 1701, kCriteriaVisibilityList = 1702;
constexpr int kCriteriaEyepieceTrigger = 1703, kCriteriaEyepieceList = 1704;
constexpr int kCriteriaMagnitudeTrigger = 1705, kCriteriaMagnitudeList = 1706;
constexpr int kCriteriaCatalogTrigger = 1716, kCriteriaCatalogList = 1717;
constexpr int kCriteriaTypeTrigger = 1707, kCriteriaTypeList = 1708;
constexpr int kCriteriaConstellationTrigger = 1709, kCriteriaConstellationList = 1710;
constexpr int kCriteriaElevationTrigger = 1711, kCriteriaElevationList = 1712;
constexpr int kCriteriaDateField = 1713, kCriteriaTimeField = 1714, kCriteriaNow = 1715;
constexpr int kCriteriaBack = 1718, kCriteriaNew = 1722, kCriteriaAdd = 1719, kCriteriaRemove = 1720;
constexpr int kCriteriaInfo = 1723, kCriteriaVisionTrash = 1726, kCriteriaObjectTrash = 1727;

// Designation id of each row of the catalogue popup: row 0 none, then the
// catalogues of GetCatalogNameList; and its rows.
extern int32_t criteriaCatalogTable[10];
extern int32_t criteriaCatalogCount;

// Reads the form's popups into selectionCriteria (type and the class byte of
// "Nebula", visibility, eyepiece with its focal length and value, magnitude,
// constellation, elevation with its threshold, catalogue by its row's id) and
// its date and time fields: the date and time criteria are cleared, and when
// the date reads it becomes the date of the search, with the time when that
// reads, and the sidereal time and both limits follow.
void ReadSelectionCriteria();

// The label of the eyepiece popup: "No Criteria" for row 0, else the model
// after the maker's code ("Plossl 25mm") and "-%d" of the focal length.
void SetCriteriaEyepieceLabel(int eyepiece);

pl::LResult CriteriaFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
