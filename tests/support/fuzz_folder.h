// The program folder of a fuzz entry: one folder per process (with "data",
// "userlists", "usercatalogs" and "img"), made at the first use (in memory,
// under /dev/shm, where there is one) and removed when the process ends, so
// that a run of millions of inputs does not make and remove a folder for each.
// It is the program folder while a FuzzFolder lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class FuzzFolder {
public:
    FuzzFolder();
    ~FuzzFolder();
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    const std::filesystem::path& path() const;

    // Writes the bytes as the file at `programPath` ("data\\zendavori_moon.ppc"),
    // replacing what an earlier input left there.
    void Write(const std::string& programPath, const uint8_t* data, std::size_t size) const;
    void Write(const std::string& programPath, const std::string& bytes) const;
    // Writes a fixture file that no input changes, unless it is there already.
    void WriteOnce(const std::string& programPath, const std::vector<uint8_t>& bytes) const;
    // Removes the file, if it is there.
    void Remove(const std::string& programPath) const;
};

// Splits a fuzz input into parts at each occurrence of `separator` (the
// targets that take several files): the parts and their number, at most
// `most` (the last part keeps the rest of the input).
int SplitFuzzInput(const uint8_t* data, std::size_t size, const std::string& separator, std::string* parts,
                   int most);
