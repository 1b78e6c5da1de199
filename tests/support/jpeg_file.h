// JPEG pictures for tests, encoded with libjpeg.
#pragma once

#include <string>
#include <vector>

// 8-bit RGB rows (top row first) encoded as a JPEG of quality 95.
std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgb);

// The same written to a host path; false when the file cannot be written.
bool WriteJpegFile(const std::string& hostPath, int width, int height, const std::vector<unsigned char>& rgb);
