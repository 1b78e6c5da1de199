// The catalogue converter: reads the unpacked public catalogue packages of a
// source folder and writes the program's record-database files into a data
// folder. Everything is built in memory first, so a missing or damaged source
// changes no file; each file then goes in by rename.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace convert {

// The files the converter makes, in the order it writes them.
const std::vector<std::string>& MadeFileNames();

// The program paths ("img/messier/M31.jpg") of the deep-sky pictures the
// converter makes from the sources of folder `sources`.
std::vector<std::string> PicturePaths(const std::string& sources);

// Converts the sources of folder `sources` (one folder per package, holding the
// package's files at their installed paths and a VERSION file) into `data`.
// Files named in `keep` are left as they are. With a program folder `home`,
// the deep-sky pictures go into its img/ too (a JPEG there that the converter
// did not make is kept) and their credits into data/SOURCES.txt. Throws
// SourceError naming the source that is missing or damaged, or the file that
// cannot be written.
void ConvertCatalogues(const std::string& sources, const std::string& data, const std::set<std::string>& keep,
                       const std::string& home = "");

}  // namespace convert
