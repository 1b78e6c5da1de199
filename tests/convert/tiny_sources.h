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
// Further OpenNGC rows: NGC 1201..1205 (galaxies and a globular cluster beside
// catalog.dat namesakes near and far, a nebula), NGC 2237 and NGC 6523 (whose
// Caldwell and Messier numbers catalog.dat gives to other objects), IC 101
// (no place; its namesake is NGC 1205's object) and IC 102 (no place, no namesake).
constexpr int kOpenNgcExtraNgc = 7;
constexpr int kOpenNgcExtraIc = 2;
constexpr double kNgc1205RaHours = 6.78, kNgc1205Dec = 1.3;  // catalog.dat's place of NGC 1205 = IC 101
constexpr int kHipPolaris = 11767;      // in zone 0 of level 0 at its centre, V 1.5 (a fainter component in level 1);
                                        // HIP 11768 is HR 424 too
constexpr int kHipSirius = 32349;       // zone 0 of level 0, V -1.5
// Pictures of nebulae/default: m31.png (kM31PictureWidth x 20, red), n7000.png
// (8 x 8, green, with alpha), pleiades.png (4 x 4 grey), ic434.png (4 x 2 grey,
// transparent), n1.png (no credit) and barnard22.png (no catalogue object).
constexpr int kM31PictureWidth = 1100;
constexpr int kHipDouble = 20000;       // components A (HR 4057, B-V index 54) and B (HR 4058, index 40) in level 0

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
    void WritePictures() const;

    std::string root_;
};

}  // namespace tiny
