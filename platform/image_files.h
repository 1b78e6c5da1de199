// Picture files: JPEG pictures decoded with libjpeg-turbo, the screen written
// as PNG with libpng.
#pragma once

#include <string>

#include "platform/gdi.h"

namespace pl {

// Decodes a JPEG file (a program path) into a new 32-bit bitmap of the
// picture's size. Null when the file is missing, is not a JPEG the library can
// turn into RGB, is damaged (any warning of the library counts), or declares
// more than 4096 pixels on a side (refused from its header, before decoding).
Hbitmap LoadImageFile(const std::string& path);

// Writes the screen to a PNG file (a host path), 8-bit RGB; false when the file
// cannot be written (no partial file is left).
bool SaveScreenPng(const std::string& hostPath);

}  // namespace pl
