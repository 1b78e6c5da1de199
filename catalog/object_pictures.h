// Object pictures: JPEG files the user installs beside the program, found by
// folder code, designation id (the kind) and name. Folder 0 holds catalogue
// pictures in "img\" by kind ("abell", "const", "ic", "messier", "ngc",
// "planet", else "misc"); 1 "shots\" (observation photographs), 3 "mars\",
// 4 "moon\", 5 "small_moon\", 6 "maps\"; 2 and above 6 are unknown. Paths are
// program paths (relative to the program folder). Drawing is in
// catalog/screens/image_viewer.h.
#pragma once

#include <string>

#include "catalog/selection_entry.h"

constexpr int kImageNameMax = 29;     // characters of a picture name kept
constexpr int kImageNameSize = 40;    // the request's name field: name + ".jpg"
constexpr int kImageFolderCatalog = 0;
constexpr int kImageFolderShots = 1;

// The picture request, one for the whole program: the file name drawn (name
// + ".jpg"), folder code, kind (designation id) and the screen size read
// before each full-screen drawing. `tested` is the file name BuildImagePath
// found last: for kind 13 the constellation's abbreviation, so that the file
// drawn is the file tested.
struct ImageRequest {
    char name[kImageNameSize];
    int folder;
    int kind;
    int screenWidth;
    int screenHeight;
    char tested[kImageNameSize];
};

extern ImageRequest imageRequest;

// Shown position in the observing list (selectionListPtr order) of the entry
// after the picture shown last; the Finder sets it when it opens the viewer.
extern int imageBrowseIndex;

// The folder of pictures of a folder code and kind ("img\\ngc\\"), or null for
// an unknown folder (2, negative, above 6).
const char* ImageFolderPath(int folder, int kind);

// The picture name: `name` cut at its first comma and at 29 characters.
std::string ImagePictureName(const char* name);

// True when the picture file exists: folder 0 kind 13 reads the constellation
// row (0..88) from the leading number of the name and tests the row's
// abbreviation; every other case tests the picture name. The request's kind
// becomes `kind` and, when found, `tested` the file name. Folder 2 or an
// unknown folder shows "Unkown image folder" and gives false; a name holding
// "/", "\" or ".." gives false without opening anything.
bool BuildImagePath(const char* name, int folder, int kind);

// The program path of the request's picture (folder, kind, name); "" for an
// unknown folder.
std::string RequestedImagePath();

// The name a picture of an observing-list entry is looked up by: the
// designation prefix and number ("%s%ld") for a Caldwell-sourced entry (its
// record is the catalogue object), the row number for a constellation (its
// pictures are found by row), the entry's own name otherwise.
std::string ListEntryPictureName(const SelectionEntry& entry);

// Module state back at the start of a run (tests).
void ResetImageRequest();
