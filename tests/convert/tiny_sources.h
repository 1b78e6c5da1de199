// A tiny source folder in the layout the catalogue converter reads (one folder
// per package, the package's files at their installed paths): every source
// format written by the test itself, holding a few known objects among
// generated fillers, so the converter's output can be checked without the
// public packages.
#pragma once

#include <string>

namespace tiny {

// Known values written into the sources.
constexpr int kHrCount = 9110;          // BSC lines for HR 1..9110 ...
constexpr int kMissingHr[] = {92, 95, 182};  // ... except these
constexpr int kOpenNgcNgc = 1100;       // OpenNGC rows NGC 1..1100
constexpr int kOpenNgcIc = 100;         // and IC 1..100
constexpr int kHipPolaris = 11767;      // in zone 0 of level 0 at its centre, V 1.5 (a fainter component in level 1);
                                        // HIP 11768 is HR 424 too
constexpr int kHipSirius = 32349;       // zone 0 of level 0, V -1.5

class SourceFolder {
public:
    SourceFolder();
    ~SourceFolder();
    SourceFolder(const SourceFolder&) = delete;
    SourceFolder& operator=(const SourceFolder&) = delete;

    const std::string& root() const { return root_; }
    // Host path of a source file ("xplanet/usr/share/xplanet/stars/BSC").
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
    void Write(const std::string& relative, const std::string& bytes) const;
    void WriteGzip(const std::string& relative, const std::string& bytes) const;

private:
    void WriteStars() const;
    void WriteDeepSky() const;
    void WriteSmallSources() const;

    std::string root_;
};

}  // namespace tiny
