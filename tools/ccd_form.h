// The CCD assistant (form 1550): the field of view and pixel scale of a
// camera behind the telescope, from a camera of the built-in list or typed
// sensor sizes, kept in preference words 48..53 where the sky chart reads
// them to draw the camera's field.
#pragma once

#include "core/preferences.h"  // the camera's words kPrefCcdCamera, kPrefCcdWidth, kPrefCcdFocal
#include "platform/types.h"

constexpr int kCcdForm = 1550;
constexpr int kCcdTitle = 8033;
constexpr int kCcdHelp = 1494;
constexpr int kCcdCameraTrigger = 1551;
constexpr int kCcdCameraList = 1552;
constexpr int kCcdBack = 1553;
constexpr int kCcdWidthField = 1554;
constexpr int kCcdHeightField = 1555;
constexpr int kCcdPixelWidthField = 1556;
constexpr int kCcdPixelHeightField = 1557;
constexpr int kCcdFocalField = 1558;
constexpr int kCcdFovWidth = 1559;
constexpr int kCcdFovHeight = 1560;
constexpr int kCcdFovDiagonal = 1561;
constexpr int kCcdPixelScaleWidth = 1562;
constexpr int kCcdPixelScaleHeight = 1563;
constexpr int kCcdUpdate = 1564;
// Labels of the results that the template hides: "Diag FOV", "Pixel FOV",
// "''  x" and "''".
constexpr int kCcdDiagonalLabel = 1565;
constexpr int kCcdPixelLabel = 1566;
constexpr int kCcdPixelSeparator = 1567;
constexpr int kCcdPixelUnit = 1568;

// Fills the fields from the chosen camera (its values go into the words; for
// "User Data" the words stay) and the focal word, then computes.
void LoadCcdCamera();

// Reads the fields into the words (a focal length of 0 takes the
// telescope's) and shows the fields of view in the "Dec Format" and the
// pixel scales; with no focal length above 0 the results show "-".
void ComputeCcdFov();

pl::LResult CcdFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
