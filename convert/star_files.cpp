#include "convert/star_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "catalog/designations.h"
#include "convert/bright_star_names.h"
#include "convert/source_files.h"
#include "core/constellation.h"

namespace convert {
namespace {

using record_writer::Bytes;
using record_writer::PackedStarFile;

constexpr int kDefaultStars = 1646;
constexpr int kStarsPerRecord = 42;
constexpr int kRequiredLines[2] = {647, 867};
constexpr double kJ2000 = 2451545.0;
constexpr std::size_t kNameLength = 17;

// The Hipparcos files and how many of the brightest stars each holds (0 = all).
struct HipFile {
    const char* name;
    std::size_t stars;
};
constexpr HipFile kHipFiles[] = {{"zendavori_hip_16k.ppc", 16380},
                                 {"zendavori_hip_32k.ppc", 32760},
                                 {"zendavori_hip_64k.ppc", 65520},
                                 {"zendavori_hip_110k.ppc", 0}};

int ColourCode(double bv) { return static_cast<int>(std::clamp(std::lround(10.0 * bv), -128L, 127L)); }

// One star per HIP number: the brightest component.
std::vector<HipStar> BrightestComponents(const std::vector<HipStar>& stars) {
    std::map<int, HipStar> byHip;
    for (const HipStar& s : stars) {
        auto it = byHip.find(s.hip);
        if (it == byHip.end() || s.vmag < it->second.vmag) byHip[s.hip] = s;
    }
    std::vector<HipStar> out;
    for (const auto& [hip, s] : byHip) out.push_back(s);
    return out;
}

int32_t PackedDeclination(const PackedStarFile& s) { return s.dec[0] * 3600 + s.dec[1] * 60 + s.dec[2]; }

// Stars sorted by declination, 42 to a record; the spare slots of the last
// record repeat its own stars. Fills `recordOf` with each id's record.
std::vector<Bytes> StellarRecords(std::vector<PackedStarFile> stars, std::map<uint32_t, int>* recordOf) {
    std::stable_sort(stars.begin(), stars.end(), [](const PackedStarFile& a, const PackedStarFile& b) {
        return PackedDeclination(a) < PackedDeclination(b);
    });
    std::vector<Bytes> records;
    for (std::size_t first = 0; first < stars.size(); first += kStarsPerRecord) {
        std::vector<PackedStarFile> chunk(stars.begin() + first,
                                          stars.begin() + std::min(stars.size(), first + kStarsPerRecord));
        for (const PackedStarFile& s : chunk) (*recordOf)[s.id] = static_cast<int>(records.size());
        for (std::size_t i = 0; chunk.size() < kStarsPerRecord; ++i) chunk.push_back(chunk[i]);
        records.push_back(record_writer::StellarRecordBytes(chunk, kStarsPerRecord));
    }
    return records;
}

// Index records: entry j of record k gives the record of star number 42k + j,
// -1 when no star has that number.
std::vector<Bytes> NumberIndex(const std::map<uint32_t, int>& recordOf) {
    uint32_t highest = recordOf.empty() ? 0 : recordOf.rbegin()->first;
    std::vector<Bytes> records;
    for (uint32_t k = 0; k <= highest / kStarsPerRecord; ++k) {
        std::vector<int16_t> entries;
        for (uint32_t j = 0; j < kStarsPerRecord; ++j) {
            auto it = recordOf.find(k * kStarsPerRecord + j);
            entries.push_back(static_cast<int16_t>(it == recordOf.end() ? -1 : it->second));
        }
        records.push_back(record_writer::StellarIndexBytes(entries));
    }
    return records;
}

// Row of constellationTable for a figure's abbreviation; Cancer is row 22 as
// the constellation finder gives it.
int ConstellationRow(const std::string& abbreviation) {
    int row = -1;
    for (int i = 0; i < kConstellationCount; ++i)
        if (abbreviation == constellationTable[i].abbreviation) row = i;
    return row;
}

class DefaultStarBuilder {
public:
    explicit DefaultStarBuilder(const StarSources& s) : s_(s) {
        for (const HipStar& h : BrightestComponents(s.hip)) bvOfHip_[h.hip] = h.bv;
        for (const HipStar& h : s.hip) bvOfComponent_[{h.hip, h.component}] = h.bv;
        for (const BscStar& b : s.bsc) bscOfHr_[b.hr] = &b;
    }

    // HR numbers of the default stars: every figure star, then the brightest others.
    std::vector<int> Choose() const {
        std::set<int> chosen;
        for (const auto* figures : {&s_.classicFigures, &s_.reyFigures})
            for (const Figure& f : *figures)
                for (const auto& [first, second] : HrSegments(f)) chosen.insert({first, second});
        std::vector<const BscStar*> byMagnitude;
        for (const BscStar& b : s_.bsc) byMagnitude.push_back(&b);
        std::stable_sort(byMagnitude.begin(), byMagnitude.end(),
                         [](const BscStar* a, const BscStar* b) { return a->vmag < b->vmag; });
        for (const BscStar* b : byMagnitude)
            if (static_cast<int>(chosen.size()) < kDefaultStars) chosen.insert(b->hr);
        if (static_cast<int>(chosen.size()) != kDefaultStars) throw SourceError("the BSC holds too few stars");
        return {chosen.begin(), chosen.end()};
    }

    // A figure's segments as HR pairs: segments with an end outside the BSC, or
    // whose two ends are one BSC star (components of one star), are left out.
    std::vector<std::pair<int, int>> HrSegments(const Figure& f) const {
        std::vector<std::pair<int, int>> out;
        for (const auto& [a, b] : f.segments) {
            int first = HrOfHip(a), second = HrOfHip(b);
            if (first > 0 && second > 0 && first != second) out.emplace_back(first, second);
        }
        return out;
    }

    int HrOfHip(int hip) const {
        auto it = s_.hipToHr.find(hip);
        return it != s_.hipToHr.end() && bscOfHr_.count(it->second) ? it->second : 0;
    }

    // B-V of the star's own component of its HIP number, else of the HIP
    // number's brightest component; 0 for a star without a HIP number.
    double BvOfHr(int hr) const {
        auto hip = s_.hrToHip.find(hr);
        if (hip == s_.hrToHip.end()) return 0;
        auto own = bvOfComponent_.find(hip->second);
        if (own != bvOfComponent_.end()) return own->second;
        auto bv = bvOfHip_.find(hip->second.first);
        return bv == bvOfHip_.end() ? 0 : bv->second;
    }

    Bytes Record(int hr) const {
        const BscStar& b = *bscOfHr_.at(hr);
        BscName name = ParseBscName(b.nameField);
        record_writer::StarFile f;
        f.hr = static_cast<int16_t>(hr);
        int c = FindConstellation(b.raHours, b.decDegrees, kJ2000);
        f.constellation = static_cast<int16_t>(c < 0 ? 0 : c);
        f.raHours = static_cast<float>(b.raHours);
        f.decDegrees = static_cast<float>(b.decDegrees);
        f.magnitude16 = static_cast<int16_t>(std::lround(b.vmag * 16.0));
        f.colour = static_cast<int16_t>(ColourCode(BvOfHr(hr)));
        f.flamsteed = static_cast<uint8_t>(name.flamsteed);
        f.bayer = static_cast<uint8_t>(name.bayer);
        f.superscript = static_cast<uint8_t>(name.superscript);
        return record_writer::StarBytes(f);
    }

    const BscStar* Bsc(int hr) const { return bscOfHr_.at(hr); }

private:
    const StarSources& s_;
    std::map<int, double> bvOfHip_;
    std::map<std::pair<int, int>, double> bvOfComponent_;
    std::map<int, const BscStar*> bscOfHr_;
};

// The lines of one figure set: value a is the figure's constellation row; lines
// whose stars are not default stars and lines drawn before are left out; a set
// short of its required count repeats its first lines.
std::vector<Bytes> FigureLines(int set, const std::vector<Figure>& figures, const DefaultStarBuilder& builder,
                               const std::map<int, int>& indexOfHr) {
    std::vector<Bytes> lines;
    std::set<std::pair<int, int>> drawn;
    for (const Figure& f : figures) {
        int row = ConstellationRow(f.abbreviation);
        for (const auto& [a, b] : builder.HrSegments(f)) {
            auto first = indexOfHr.find(a), second = indexOfHr.find(b);
            if (row < 0 || first == indexOfHr.end() || second == indexOfHr.end() ||
                !drawn.insert(std::minmax(first->second, second->second)).second)
                continue;
            lines.push_back(record_writer::ConstellationLineBytes(static_cast<int16_t>(set), static_cast<int16_t>(row),
                                                                  static_cast<int16_t>(first->second),
                                                                  static_cast<int16_t>(second->second)));
        }
    }
    for (std::size_t i = 0; !lines.empty() && lines.size() < static_cast<std::size_t>(kRequiredLines[set]); ++i)
        lines.push_back(lines[i]);
    return lines;
}

std::vector<Bytes> NameRecords(const std::vector<std::pair<int, std::string>>& named, const std::map<int, int>& indexOfHr) {
    std::vector<std::pair<std::string, int>> byName;  // (name, star index)
    for (const auto& [hr, name] : named) {
        auto it = indexOfHr.find(hr);
        if (it != indexOfHr.end()) byName.emplace_back(name.substr(0, kNameLength), it->second);
    }
    std::vector<std::pair<std::string, int>> byHr = byName;  // star index order is HR order
    std::sort(byName.begin(), byName.end());
    std::sort(byHr.begin(), byHr.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<Bytes> records;
    for (const auto* half : {&byName, &byHr})
        for (const auto& [name, index] : *half)
            records.push_back(record_writer::BrightStarNameBytes(name, static_cast<int16_t>(index)));
    return records;
}

}  // namespace

PackedStarFile PackStar(uint32_t id, double raHours, double decDegrees, double vmag, double bv) {
    PackedStarFile p;
    p.id = id;
    long ra = std::lround(raHours * 3600.0) % 86400;
    if (ra < 0) ra += 86400;
    p.ra[0] = static_cast<int8_t>(ra / 3600);
    p.ra[1] = static_cast<int8_t>(ra / 60 % 60);
    p.ra[2] = static_cast<int8_t>(ra % 60);
    long dec = std::lround(std::fabs(decDegrees) * 3600.0);
    int sign = decDegrees < 0 ? -1 : 1;
    p.dec[0] = static_cast<int8_t>(sign * (dec / 3600));
    p.dec[1] = static_cast<int8_t>(sign * (dec / 60 % 60));
    p.dec[2] = static_cast<int8_t>(sign * (dec % 60));
    p.magnitude16 = static_cast<uint8_t>(std::clamp(std::lround(vmag * 16.0), 0L, 255L));
    p.colour = static_cast<int8_t>(ColourCode(bv));
    return p;
}

StarFiles BuildStarFiles(const StarSources& s) {
    StarFiles files;
    DefaultStarBuilder builder(s);
    std::map<int, int> indexOfHr;
    for (int hr : builder.Choose()) {
        indexOfHr[hr] = static_cast<int>(files.defaultStars.size());
        files.defaultStars.push_back(builder.Record(hr));
    }
    for (int i = 0; i < kBrightStarNameCount; ++i)
        files.starNames.emplace_back(brightStarNames[i].hr, brightStarNames[i].name);
    files.brightNames = NameRecords(files.starNames, indexOfHr);
    files.figureLines = FigureLines(0, s.classicFigures, builder, indexOfHr);
    std::vector<Bytes> rey = FigureLines(1, s.reyFigures, builder, indexOfHr);
    files.figureLines.insert(files.figureLines.end(), rey.begin(), rey.end());

    std::vector<PackedStarFile> hrStars;
    for (const BscStar& b : s.bsc)
        hrStars.push_back(PackStar(static_cast<uint32_t>(b.hr), b.raHours, b.decDegrees, b.vmag, builder.BvOfHr(b.hr)));
    std::map<uint32_t, int> recordOf;
    files.stellar.push_back({"zendavori_hr.ppc", StellarRecords(hrStars, &recordOf)});
    files.indexes.push_back({"zendavori_hr_idx.ppc", NumberIndex(recordOf)});

    std::vector<HipStar> hip = BrightestComponents(s.hip);
    std::stable_sort(hip.begin(), hip.end(), [](const HipStar& a, const HipStar& b) { return a.vmag < b.vmag; });
    for (const HipFile& f : kHipFiles) {
        std::vector<PackedStarFile> stars;
        for (std::size_t i = 0; i < hip.size() && (f.stars == 0 || i < f.stars); ++i)
            stars.push_back(PackStar(static_cast<uint32_t>(hip[i].hip), hip[i].raHours, hip[i].decDegrees,
                                     hip[i].vmag, hip[i].bv));
        recordOf.clear();
        files.stellar.push_back({f.name, StellarRecords(stars, &recordOf)});
    }
    files.indexes.push_back({"zendavori_hip_110k_idx.ppc", NumberIndex(recordOf)});
    return files;
}

}  // namespace convert
