// Reading the unpacked files of the public catalogue packages: whole files,
// gzip files, lines and fields. A missing or unreadable file throws SourceError
// naming it, so the converter stops with a clear message and writes nothing.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace convert {

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string ReadFile(const std::string& path);

// The bytes of a gzip file, or of a plain file (read as it is).
std::string ReadGzipFile(const std::string& path);

// Lines without their end ("\n" or "\r\n").
std::vector<std::string> SplitLines(const std::string& text);

// Fields separated by runs of blanks and tabs.
std::vector<std::string> SplitWords(const std::string& line);

// Fields separated by one character (empty fields kept).
std::vector<std::string> SplitAt(const std::string& line, char separator);

std::string Trim(const std::string& text);

// The number at the start of a text ("55d" gives 55); false when it does not
// start with a digit (after blanks).
bool LeadingInteger(const std::string& text, long* value);

// A whole text as a number; false when anything but blanks follows it.
bool ParseDouble(const std::string& text, double* value);

}  // namespace convert
