// Object pictures on the screen: drawn scaled into a box of the current form,
// or full screen in the picture viewer (dialog 1940), where the arrow and
// page keys step through the pictures of the observing list and a tap closes
// it. The pictures are found by catalog/object_pictures.h.
#pragma once

#include <cstdint>

#include "platform/types.h"

// Shows the picture of `name` (cut at its first comma and at 29 characters)
// from `folder` and `kind` (see BuildImagePath). Modal: the screen is saved,
// the viewer runs until tapped, and the screen of the form below is put back.
// Otherwise the picture is drawn with its caption into the box (x, y, width,
// height; pixels of the current draw window) after pending pen events are
// dropped. False, drawing nothing, when the picture does not exist.
bool ShowObjectImage(const char* name, int x, int y, int width, int height, bool modal, int folder, int kind);

// Draws the request's picture shrunk to fit the box (never enlarged), centred.
// With a caption the box is first filled black and the request's name is
// written at (x, y): red (255, 0, 0) in night mode, white otherwise; bold in
// a box narrower than 160 pixels, plain otherwise. An unknown folder shows
// "Unkown image folder" and draws nothing; a file that cannot be decoded
// shows "Can't find" with its path and leaves the box and caption.
void DrawRequestedImage(int x, int y, int width, int height, bool caption);

// The request's picture over the whole screen, with its caption.
void PaintImageViewer();

// From imageBrowseIndex on, the first observing-list entry whose picture
// exists (in the request's folder) is drawn over the whole screen and
// imageBrowseIndex moves just past it (to the shown count when none is
// found). Nothing when the index is at or past the shown count.
void ShowNextListImage();

// The viewer's keys. Next (Page Up, Right, Down) shows the next entry with a
// picture after the one shown (from position 1 at the start) and, at the end,
// that last picture again; Previous (Page Down, Left, Up) the one before it,
// or sets the index to 0 and draws nothing when no entry before has one. A
// held arrow key stops a scan of more than 10 entries. Other keys: nothing.
void BrowseListImages(int key);

// The dialog procedure of the viewer (1940).
pl::LResult ImageViewerProc(pl::Hwnd viewer, uint32_t message, pl::WParam wParam, pl::LParam lParam);
