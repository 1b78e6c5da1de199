// The object information form (form 112, "ObjectInfo"): one object at a time
// (currentObject, handed over by SetCurrentObject or taken from the finder
// target) with its place, rise and set, type, size, magnitude, distance, best
// eyepiece, difficulty gauge, year chart and 24-hour bar, a picture and on
// tall screens a lower panel. The user picks a catalogue tab and an object of
// it, or steps through the tab with the keys; the object goes to the sky
// chart (Sky), the telescope (Goto), the finder, the ephemeris assistant or
// the altitude graph.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "platform/types.h"
#include "ui/xywh_rect.h"

constexpr int kObjectInfoFormId = 112;

// Control ids of form 112.
enum ObjectInfoControl {
    kInfoTitle = 1040, kInfoUsage = 1132, kInfoTabTrigger = 1045, kInfoTabList = 1103,
    kInfoObjectTrigger = 1101, kInfoObjectList = 1102, kInfoShow = 1105, kInfoDetails = 1139,
    kInfoImage = 1048, kInfoPicture = 1046, kInfoGauge = 1047,
    kInfoRa = 1111, kInfoDec = 1112, kInfoAz = 1115, kInfoAlt = 1116,
    kInfoConstellation = 1125, kInfoTypeName = 1126, kInfoTypeCode = 1133,
    kInfoSize = 1131, kInfoSizeLabel = 1140, kInfoMagnitude = 1127, kInfoMagnitudeLabel = 1141,
    kInfoDistance = 1145, kInfoEyepiece = 1128, kInfoEyepieceLabel = 1142,
    kInfoEphemeris = 1143, kInfoAltitudeGraph = 1144,
    kInfoBack = 1134, kInfoFinder = 1135, kInfoSky = 1136, kInfoGoto = 1137,
    kInfoDate = 1108, kInfoTime = 1109, kInfoClock = 1138,
};

// The first paint: the form in the back stack, the picture button hidden, an
// old finder chart freed, then the finder target's catalogue as the tab when
// a target is set, else the tab kept.
void OpenObjectInfoForm();

// Shows tab `tab`: its popup row, the date and time fields, the object list
// with the tab's rows (the kept object's row when the tab stays, else the
// first, everything of the old object cleared), then ShowCurrentObject.
void SetObjectInfoTab(int tab);

// Loads and shows the object at the pending index of the tab (the finder
// target or the observing list's current row first give it): nothing valid
// empties the object label; else the name, the picture, the picture button
// and DrawObjectInfo.
void ShowCurrentObject();

// The fields and drawings of the shown object (see object_info_view.h).
void DrawObjectInfo(const ObjectRecord* rec);

// Row `row` of the object list: the tab's object with its icon or symbol and
// its two texts (the finder tab: the target's name).
void DrawObjectInfoRow(int row, const XywhRect& rect);

// One step back or on through the tab, wrapping at 1 and N; on the finder tab
// the index becomes 0 and nothing else happens.
void PreviousObject();
void NextObject();

// The device's date and time become the current ones; both fields and the object shown again.
void SetObjectInfoTimeNow();

// Sky: the object added to the observing list and the sky chart opened.
void ShowCurrentObjectOnChart();
// Goto: the telescope sent to the object.
void GotoCurrentObject();

// The arrow and page keys step through the tab; the hardware keys 193..196
// go back, open the finder, Sky and Goto. True for a key it handled.
bool ObjectInfoKey(int key);

// The action of a control.
void ObjectInfoCommand(int id);

// The help box of a field (codes 0, 1, 11, 16, 17) for the record.
void ShowObjectFieldHelp(int code, const ObjectRecord* rec);

// Forgets the form's module state (tests).
void ResetObjectInfoForm();

pl::LResult ObjectInfoFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
