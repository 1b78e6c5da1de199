// Reads a PNG file for tests, through libpng's simplified interface.
#pragma once

#include <string>
#include <vector>

// 8-bit RGB rows, top row first; false when the file cannot be read as PNG.
bool ReadPngRgb(const std::string& path, int* width, int* height, std::vector<unsigned char>* rgb);
