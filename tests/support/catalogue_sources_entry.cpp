#include "support/catalogue_sources_entry.h"

#include <cmath>
#include <string>
#include <vector>

#include "convert/deep_sky_sources.h"
#include "convert/picture_files.h"
#include "convert/small_files.h"
#include "convert/source_files.h"
#include "convert/star_sources.h"

namespace {

bool OnTheSky(double raHours, double decDegrees) {
    return raHours >= 0 && raHours < 24 && std::fabs(decDegrees) <= 90;
}

int CheckDeepSky(const std::string& bytes) {
    for (const convert::DsoObject& o : convert::ParseDsoCatalog(bytes, "catalog.dat"))
        if (!OnTheSky(o.raHours, o.decDegrees)) return 2;
    return 0;
}

int CheckNames(const std::string& bytes) {
    std::vector<convert::DsoObject> objects(1);
    objects[0].id = 7;
    objects[0].numbers[convert::kColNgc] = 224;
    for (const auto& [id, names] : convert::ParseDsoNames(bytes, objects)) {
        if (id != 7) return 3;
        for (const std::string& name : names)
            if (name.size() > bytes.size()) return 5;
    }
    return 0;
}

int CheckStars(const std::string& bytes) {
    for (const convert::HipStar& s : convert::ParseStellariumStars(bytes, "stars.cat")) {
        if (!OnTheSky(s.raHours, s.decDegrees)) return 2;
        if (s.hip <= 0 || s.hip > 0xFFFFFF || s.component < 0 || s.component > 255) return 3;
    }
    return 0;
}

int CheckBsc(const std::string& bytes) {
    for (const convert::BscStar& s : convert::ParseBsc(bytes, "BSC")) {
        if (!OnTheSky(s.raHours, s.decDegrees)) return 2;
        if (s.hr <= 0 || s.hr > 32767) return 3;
        if (s.nameField.size() != 10) return 5;
    }
    return 0;
}

int CheckCrossId(const std::string& bytes) {
    for (const auto& [hr, star] : convert::ParseCrossIdHrToHip(bytes))
        if (hr <= 0 || hr > 32767 || star.first <= 0 || star.first > 0xFFFFFF || star.second < 0 || star.second > 26)
            return 3;
    for (const auto& [hip, hr] : convert::ParseCrossIdHipToHr(bytes))
        if (hr <= 0 || hr > 32767 || hip <= 0 || hip > 0xFFFFFF) return 3;
    return 0;
}

int CheckFigures(const std::string& bytes) {
    for (const convert::Figure& f : convert::ParseFigures(bytes, "constellationship.fab"))
        if (f.abbreviation.empty() || f.abbreviation[0] == '.' || f.segments.size() > bytes.size()) return 4;
    return 0;
}

int CheckNomenclature(const std::string& bytes) {
    for (const convert::Feature& f : convert::ParseNomenclature(bytes, "nomenclature.dat"))
        if (f.name.size() > bytes.size() || f.body.size() > bytes.size()) return 5;
    return 0;
}

int CheckMarkers(const std::string& bytes) {
    for (const convert::Marker& m : convert::ParseMarkers(bytes, "markers"))
        if (m.label.size() > bytes.size() || m.section.size() > bytes.size()) return 5;
    return 0;
}

int CheckPictureCredits(const std::string& bytes) {
    for (const auto& [file, credit] : convert::ParsePictureCredits(bytes, "textures.json"))
        if (file.size() > bytes.size() || credit.size() > bytes.size()) return 5;
    return 0;
}

int CheckPng(const std::string& bytes) {
    convert::RgbPicture p = convert::DecodePng(bytes, "picture.png");
    if (p.rgb.size() != std::size_t{3} * p.width * p.height) return 6;
    convert::RgbPicture small = convert::ShrinkPicture(p, 16);
    if (small.width > 16 || small.height > 16 || small.rgb.size() != std::size_t{3} * small.width * small.height)
        return 6;
    return 0;
}

}  // namespace

int RunCatalogueSources(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static int (*const kReaders[])(const std::string&) = {CheckDeepSky,        CheckNames,   CheckStars,
                                                          CheckBsc,            CheckCrossId, CheckFigures,
                                                          CheckNomenclature,   CheckMarkers, CheckPictureCredits,
                                                          CheckPng};
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        return kReaders[data[0] % std::size(kReaders)](bytes);
    } catch (const convert::SourceError&) {
        return 0;
    } catch (...) {
        return 1;
    }
}
