#include "convert/object_files.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "catalog/deep_sky_types.h"
#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "convert/source_files.h"
#include "core/constellation.h"

namespace convert {
namespace {

constexpr int kSharedRecords = 1131;
constexpr int kSharedIc = 72;
constexpr int kSharedNgc = 1054;
constexpr double kJ2000 = 2451545.0;
constexpr double kFix24PerHour = 4392264.877774095;
constexpr double kFix24PerDegree = 292817.658518273;
constexpr int kTypeNonexistent = 26;
constexpr int kTypeDarkNebula = 21;
constexpr int kTypeDoubleStar = 31;
constexpr double kFaintestUsableV = 20.0;  // a magnitude beyond this in either source is no visual magnitude
constexpr double kNamesakeMinimumArcmin = 10.0;  // a namesake nearer than this (or the major axis) is the object
constexpr float kDistancePerKpc = 71.0f;  // the distance field holds 71 x kpc
constexpr int16_t kNoMagnitudeIndexed = 150;
constexpr int16_t kUnusedEntryMagnitude = 32767;
constexpr std::size_t kCrossRefSize = 56;
constexpr std::size_t kCrossRefNameLength = 30;  // plus the blank the reader drops and the NUL

// Catalogues taken from catalog.dat, in the order of their designation ids.
struct DsoCatalogue {
    int designation;
    int column;
};
constexpr DsoCatalogue kDsoCatalogues[] = {
    {1, kColAco},  {2, kColB},   {10, kColCed}, {11, kColCr},  {34, kColLdn}, {39, kColMel}, {46, kColRcw},
    {48, kColRu},  {52, kColSh2}, {56, kColSt},  {59, kColTr},  {61, kColUgc}, {64, kColVdb}, {65, kColVdbHa}};

// Other designations offered by the cross references, in the order they are listed.
constexpr DsoCatalogue kCrossRefOrder[] = {
    {kDesignationMessier, kColM}, {kDesignationCaldwell, kColC}, {kDesignationNgc, kColNgc}, {kDesignationIc, kColIc},
    {1, kColAco},  {2, kColB},   {10, kColCed}, {11, kColCr},  {34, kColLdn}, {39, kColMel}, {46, kColRcw},
    {48, kColRu},  {52, kColSh2}, {56, kColSt},  {59, kColTr},  {61, kColUgc}, {64, kColVdb}, {65, kColVdbHa}};

using Key = std::pair<int, long>;  // (designation id, number)

struct Candidate {
    ObjectRecord record{};
    const DsoObject* dso = nullptr;
    bool ownPlace = true;  // false: the place is borrowed from the namesake
};

// Angle between two places (hours, degrees), in arcminutes.
double SeparationArcmin(double ra1Hours, double dec1Degrees, double ra2Hours, double dec2Degrees) {
    constexpr double kRadian = 3.14159265358979323846 / 180.0;
    double a = (ra1Hours - ra2Hours) * 15.0 * kRadian, d1 = dec1Degrees * kRadian, d2 = dec2Degrees * kRadian;
    double c = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(a);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kRadian * 60.0;
}

class DsoLookup {
public:
    explicit DsoLookup(const std::vector<DsoObject>& objects) {
        for (const DsoObject& o : objects)
            for (int c = 0; c < kDsoColumns; ++c)
                if (o.numbers[c] > 0) byNumber_.emplace(Key{c, o.numbers[c]}, &o);
    }
    // The first object carrying a number in a column.
    const DsoObject* Find(int column, long number) const {
        auto it = byNumber_.find({column, number});
        return it == byNumber_.end() ? nullptr : it->second;
    }
    // The catalog.dat object that is the OpenNGC row's object: of those carrying its
    // number, the nearest within max(10', the row's major axis); for a row without a
    // place, the first; else none (catalog.dat may give a number to another object).
    const DsoObject* Namesake(const OpenNgcRow& r) const {
        int column = r.ic ? kColIc : kColNgc;
        if (!r.hasPosition) return Find(column, r.number);
        double limit = std::max(kNamesakeMinimumArcmin, r.hasSize ? r.majorArcmin : 0.0);
        const DsoObject* nearest = nullptr;
        auto [first, last] = byNumber_.equal_range({column, r.number});
        for (auto it = first; it != last; ++it) {
            double d = SeparationArcmin(r.raHours, r.decDegrees, it->second->raHours, it->second->decDegrees);
            if (d <= limit) {
                limit = d;
                nearest = it->second;
            }
        }
        return nearest;
    }

private:
    std::multimap<Key, const DsoObject*> byNumber_;
};

uint32_t ConstellationAt(double hours, double degrees) {
    int c = FindConstellation(hours, degrees, kJ2000);
    return static_cast<uint32_t>(c < 0 ? 0 : c);
}

uint16_t PositionAngleCode(double degrees) {
    double a = std::fmod(std::round(degrees), 180.0);
    return static_cast<uint16_t>(a < 0 ? a + 180.0 : a);
}

// A catalog.dat value that is known: finite and inside [low, high); else 0.
float Known(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value < high ? static_cast<float>(value) : 0.0f;
}

// Fields every record takes from catalog.dat (when it holds the object).
void FillFromDso(ObjectRecord& o, const DsoObject& d) {
    o.objectType = static_cast<uint32_t>(ObjectTypeOfDso(d.type));
    o.rightAscension = static_cast<float>(d.raHours);
    o.declination = static_cast<float>(d.decDegrees);
    o.magnitude = d.vmag <= kFaintestUsableV ? Known(d.vmag, -30, 99) : 0.0f;
    o.size1 = Known(d.majorDegrees * 60.0, 0, 1e5);
    o.size2 = Known(d.minorDegrees * 60.0, 0, 1e5);
    o.objectCode = PositionAngleCode(d.orientation);
    o.distance = Known(d.distanceKpc, 0, 1e7) * kDistancePerKpc;
}

void Finish(ObjectRecord& o, const DsoObject* d) {
    if (o.objectType == kTypeDarkNebula) o.magnitude = 0;
    o.classCode = static_cast<int16_t>(ClassCodeFor(d ? d->morphology : "", static_cast<int>(o.objectType)));
    o.constellation = ConstellationAt(o.rightAscension, o.declination);
}

// An NGC or IC object: OpenNGC's place, sizes, position angle and known type;
// the rest from its catalog.dat namesake when that is the same object. A row
// without a place and without a namesake is an unknown object (never indexed).
Candidate NgcIcCandidate(const OpenNgcRow& r, const DsoLookup& lookup) {
    Candidate c;
    c.dso = lookup.Namesake(r);
    ObjectRecord& o = c.record;
    if (c.dso) FillFromDso(o, *c.dso);
    o.designationId = r.ic ? kDesignationIc : kDesignationNgc;
    o.number = static_cast<int32_t>(r.number);
    int openNgcType = ObjectTypeOfOpenNgc(r.type);
    if (openNgcType != kTypeNonexistent || !c.dso || c.dso->type == 36) o.objectType = static_cast<uint32_t>(openNgcType);
    c.ownPlace = r.hasPosition;
    if (r.hasPosition) {
        o.rightAscension = static_cast<float>(r.raHours);
        o.declination = static_cast<float>(r.decDegrees);
    }
    if (o.magnitude == 0 && r.hasMagnitude && r.magnitude <= kFaintestUsableV) o.magnitude = static_cast<float>(r.magnitude);
    if (r.hasSize) {
        o.size1 = static_cast<float>(r.majorArcmin);
        o.size2 = static_cast<float>(r.minorArcmin);
    }
    if (r.hasPositionAngle) o.objectCode = PositionAngleCode(r.positionAngle);
    Finish(o, c.dso);
    return c;
}

Candidate DsoCandidate(const DsoObject& d, int designation, long number) {
    Candidate c;
    c.dso = &d;
    FillFromDso(c.record, d);
    c.record.designationId = static_cast<uint32_t>(designation);
    c.record.number = static_cast<int32_t>(number);
    Finish(c.record, &d);
    return c;
}

// Magnitude for "brightest first": unknown (0) sorts last.
float SortMagnitude(const ObjectRecord& o) { return o.magnitude == 0 ? 99.0f : o.magnitude; }

// `slots` objects of one catalogue for the shared records: every number-table
// key, then the brightest others; in number order.
std::vector<Candidate> SharedSelection(const std::vector<Candidate>& all, int designation, int slots) {
    std::set<int32_t> keys = NumberTableNumbers(designation);
    std::vector<Candidate> chosen, others;
    for (const Candidate& c : all)
        (keys.count(c.record.number) ? chosen : others).push_back(c);
    std::stable_sort(others.begin(), others.end(), [](const Candidate& a, const Candidate& b) {
        return SortMagnitude(a.record) < SortMagnitude(b.record);
    });
    for (std::size_t i = 0; i < others.size() && static_cast<int>(chosen.size()) < slots; ++i) chosen.push_back(others[i]);
    if (static_cast<int>(chosen.size()) > slots) chosen.resize(slots);
    std::sort(chosen.begin(), chosen.end(),
              [](const Candidate& a, const Candidate& b) { return a.record.number < b.record.number; });
    return chosen;
}

// Objects of a catalog.dat catalogue: one per number, at most `cap`: objects
// outside NGC and IC first, then named, bright and large ones; in number order.
std::vector<Candidate> DsoSelection(const DeepSkySources& s, const DsoCatalogue& cat, int cap) {
    auto rank = [&](const DsoObject* d) {
        bool inNgcIc = d->numbers[kColNgc] > 0 || d->numbers[kColIc] > 0;
        float v = Known(d->vmag, -30, 99), b = Known(d->bmag, -30, 99);
        float mag = v != 0 ? v : b != 0 ? b : 99.0f;
        return std::make_tuple(inNgcIc, s.names.count(d->id) == 0, mag, -Known(d->majorDegrees, 0, 1e3));
    };
    std::map<long, const DsoObject*> best;
    for (const DsoObject& d : s.dso) {
        long n = d.numbers[cat.column];
        if (n <= 0 || n > INT32_MAX) continue;
        auto it = best.find(n);
        if (it == best.end() || rank(&d) < rank(it->second)) best[n] = &d;
    }
    std::vector<std::pair<long, const DsoObject*>> ranked(best.begin(), best.end());
    std::stable_sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) { return rank(a.second) < rank(b.second); });
    if (static_cast<int>(ranked.size()) > cap) ranked.resize(cap);
    std::sort(ranked.begin(), ranked.end());
    std::vector<Candidate> out;
    for (const auto& [n, d] : ranked) out.push_back(DsoCandidate(*d, cat.designation, n));
    return out;
}

int BuiltInSize(int designation) {
    DesignationRow row = BuiltInDesignation(designation);
    return row.first == kNoDesignationRecords ? 0 : std::max(0, row.last - static_cast<int>(row.first));
}

// A further object of the shared records: the object catalog.dat lists as
// Messier or Caldwell `number`, under that designation.
Candidate ListObject(const DsoLookup& lookup, int designation, long number) {
    const DsoObject* d = lookup.Find(designation == kDesignationMessier ? kColM : kColC, number);
    if (!d)
        throw SourceError(std::string("catalog.dat has no object ") + (designation == kDesignationMessier ? "M" : "C") +
                          std::to_string(number));
    return DsoCandidate(*d, designation, number);
}

// The further objects that only a Messier or Caldwell key reaches, in the order
// of the shared block: M40 (Winnecke 4, a double star), M45, C9, C41, C99.
void AppendListObjects(std::vector<Candidate>& all, const DsoLookup& lookup) {
    all.push_back(ListObject(lookup, kDesignationMessier, 40));
    all.back().record.objectType = kTypeDoubleStar;
    all.push_back(ListObject(lookup, kDesignationMessier, 45));
    for (long c : {9, 41, 99}) all.push_back(ListObject(lookup, kDesignationCaldwell, c));
}

record_writer::Bytes IndexRecordBytes(std::vector<ObjectIndexEntry> entries) {
    ObjectIndexEntry unused{};
    unused.objectRecord = -1;
    unused.declination = static_cast<int32_t>(90.0 * kFix24PerDegree);
    unused.magnitude10 = kUnusedEntryMagnitude;
    entries.resize(kObjectIndexEntries, unused);
    return record_writer::ObjectIndexBytes(entries);
}

// Each drawable object once (its first record, also when another catalogue
// lists it again; a record that borrows its place is left out when a record
// with a place of its own holds the object), sorted by declination, 15 to a
// record, after a header record at -90 degrees.
std::vector<record_writer::Bytes> BuildIndex(const std::vector<Candidate>& candidates) {
    std::vector<ObjectIndexEntry> entries;
    std::set<Key> seen;
    std::set<const DsoObject*> seenObjects, placedObjects;
    for (const Candidate& c : candidates)
        if (c.ownPlace && c.dso) placedObjects.insert(c.dso);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const ObjectRecord& o = candidates[i].record;
        const DsoObject* d = candidates[i].dso;
        if (o.objectType == kTypeNonexistent || (!candidates[i].ownPlace && placedObjects.count(d)) ||
            !seen.insert({o.designationId, o.number}).second ||
            (d && !seenObjects.insert(d).second))
            continue;
        ObjectIndexEntry e{};
        e.number = static_cast<uint32_t>(o.number);
        e.designationId = static_cast<int16_t>(o.designationId);
        e.objectRecord = static_cast<int16_t>(i);
        e.rightAscension = static_cast<int32_t>(o.rightAscension * kFix24PerHour);
        e.declination = static_cast<int32_t>(o.declination * kFix24PerDegree);
        e.objectType = static_cast<int16_t>(o.objectType);
        e.magnitude10 = o.magnitude == 0 ? kNoMagnitudeIndexed : static_cast<int16_t>(std::lround(o.magnitude * 10));
        entries.push_back(e);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ObjectIndexEntry& a, const ObjectIndexEntry& b) { return a.declination < b.declination; });
    ObjectIndexEntry header{};
    header.objectRecord = -1;
    header.declination = static_cast<int32_t>(-90.0 * kFix24PerDegree);
    header.magnitude10 = kUnusedEntryMagnitude;
    std::vector<record_writer::Bytes> out{IndexRecordBytes({header})};
    for (std::size_t i = 0; i < entries.size(); i += kObjectIndexEntries)
        out.push_back(IndexRecordBytes(std::vector<ObjectIndexEntry>(
            entries.begin() + i, entries.begin() + std::min(entries.size(), i + kObjectIndexEntries))));
    return out;
}

std::string CrossRefName(const std::string& name) { return name.substr(0, kCrossRefNameLength) + " "; }

// The Messier and Caldwell numbers of each object the program's number tables
// key (catalog.dat may put such a number on a neighbouring object instead).
std::multimap<Key, Key> ListNumbersByKey() {
    std::multimap<Key, Key> numbers;
    for (int i = 0; i < kMessierCount; ++i)
        numbers.emplace(Key{messierKeys[i].designation, messierKeys[i].number}, Key{kDesignationMessier, i + 1});
    for (int i = 0; i < kCaldwellCount; ++i)
        numbers.emplace(Key{caldwellKeys[i].designation, caldwellKeys[i].number}, Key{kDesignationCaldwell, i + 1});
    return numbers;
}

// Other designations of a record, at most three: its Messier and Caldwell
// numbers first, then catalog.dat's in the cross-reference order.
std::vector<Key> OtherDesignations(const Candidate& c) {
    static const std::multimap<Key, Key> listNumbers = ListNumbersByKey();
    Key own{static_cast<int>(c.record.designationId), c.record.number};
    std::vector<Key> others;
    auto add = [&](Key k) {
        if (others.size() < 3 && k.first != own.first && std::find(others.begin(), others.end(), k) == others.end())
            others.push_back(k);
    };
    auto [first, last] = listNumbers.equal_range(own);
    for (auto it = first; it != last; ++it) add(it->second);
    for (const DsoCatalogue& alt : kCrossRefOrder) {
        long n = c.dso ? c.dso->numbers[alt.column] : 0;
        if (n > 0 && n <= INT32_MAX) add({alt.designation, n});
    }
    return others;
}

bool CrossRefOf(const Candidate& c, const DeepSkySources& s, record_writer::CrossRef* ref) {
    *ref = {};
    ref->id = static_cast<int16_t>(c.record.designationId);
    ref->number = c.record.number;
    std::vector<Key> others = OtherDesignations(c);
    for (std::size_t k = 0; k < others.size(); ++k) {
        ref->altIds[k] = static_cast<int16_t>(others[k].first);
        ref->altNumbers[k] = static_cast<int32_t>(others[k].second);
    }
    auto names = c.dso ? s.names.find(c.dso->id) : s.names.end();
    if (names != s.names.end()) ref->name = CrossRefName(names->second.front());
    return !others.empty() || !ref->name.empty();
}

std::vector<record_writer::Bytes> BuildCrossRefs(const std::vector<Candidate>& all, const DeepSkySources& s,
                                                 const std::vector<std::pair<int, std::string>>& starNames) {
    std::map<std::pair<int16_t, int32_t>, record_writer::CrossRef> refs;
    for (const Candidate& c : all) {
        record_writer::CrossRef ref;
        if (CrossRefOf(c, s, &ref)) refs.emplace(std::make_pair(ref.id, ref.number), ref);
    }
    for (const auto& [hr, name] : starNames) {
        record_writer::CrossRef ref{};
        ref.id = kDesignationHr;
        ref.number = hr;
        ref.name = CrossRefName(name);
        refs.emplace(std::make_pair(ref.id, ref.number), ref);
    }
    std::vector<record_writer::Bytes> out{record_writer::CrossRefBytes({}, kCrossRefSize)};
    for (const auto& [key, ref] : refs) out.push_back(record_writer::CrossRefBytes(ref, kCrossRefSize));
    return out;
}

// The first code of each deep-sky type text (without its trailing blanks).
std::map<std::string, int> TypeTextCodes() {
    std::map<std::string, int> codes;
    for (int code = 1; code < kDeepSkyTypeCount; ++code) {
        char text[kDeepSkyTypeTextLength + 1];
        GetTypeCodeText(text, code);
        std::string t(text);
        codes.emplace(t.substr(0, t.find_last_not_of(' ') + 1), code);
    }
    return codes;
}

std::vector<ObjectRecord> Records(const std::vector<Candidate>& candidates) {
    std::vector<ObjectRecord> out;
    for (const Candidate& c : candidates) out.push_back(c.record);
    return out;
}

void Append(std::vector<Candidate>& to, const std::vector<Candidate>& from) { to.insert(to.end(), from.begin(), from.end()); }

}  // namespace

int ObjectTypeOfDso(int t) {
    static const int kTypes[37] = {16, 16, 16, 16, 16, 6,  6,  2,  6,  6,  19, 25, 21, 20, 19, 20, 9,  20, 39,
                                   19, 19, 16, 16, 21, 30, 16, 25, 25, 30, 30, 30, 39, 39, 17, 22, 19, 26};
    return t >= 0 && t <= 36 ? kTypes[t] : kTypeNonexistent;
}

int ObjectTypeOfOpenNgc(int t) {
    switch (t) {
    case 0: return 30;
    case 3: return 6;
    case 4: return 2;
    case 5: return 19;
    case 6: return 25;
    case 7: return 39;
    case 8: return 16;
    case 13: return 1;
    case 14: return 17;
    case 17: return 31;
    default: return kTypeNonexistent;
    }
}

int ClassCodeFor(const std::string& morphology, int objectType) {
    std::string m = morphology.substr(0, morphology.find_first_of(";, "));
    std::string plain;
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (m[i] == '(') {
            std::size_t close = m.find(')', i);
            i = close == std::string::npos ? m.size() : close;
        } else if (m[i] == '^') {
            while (i + 1 < m.size() && std::strchr("+-0", m[i + 1])) ++i;
        } else if (!std::strchr(":?.", m[i])) {
            plain += m[i];
        }
    }
    if (plain.rfind("SAB", 0) == 0) plain.erase(1, 2);  // SAB(rs)bc is read as Sbc, SA(s)b as Sb
    else if (plain.rfind("SA", 0) == 0) plain.erase(1, 1);
    static const std::map<std::string, int> codes = TypeTextCodes();
    for (std::size_t length = plain.size(); length > 0; --length) {
        auto it = codes.find(plain.substr(0, length));
        if (it != codes.end()) return it->second;
    }
    switch (objectType) {
    case 25: return 220;  // PN
    case 39: return 289;  // SNR
    case 6: return 215;   // OCL
    case 2: return 72;    // GCL
    case 20: return 67;   // EN
    default: return 0;
    }
}

ObjectFiles BuildObjectFiles(const DeepSkySources& s, const std::vector<std::pair<int, std::string>>& starNames) {
    DsoLookup lookup(s.dso);
    std::vector<Candidate> ngc, ic;
    for (const auto& [key, row] : s.openNgc) (row.ic ? ic : ngc).push_back(NgcIcCandidate(row, lookup));
    std::vector<Candidate> all = SharedSelection(ic, kDesignationIc, kSharedIc);
    Append(all, SharedSelection(ngc, kDesignationNgc, kSharedNgc));
    AppendListObjects(all, lookup);
    if (all.size() != kSharedRecords) throw SourceError("OpenNGC holds too few NGC or IC objects");
    ObjectFiles files;
    files.small = Records(all);
    files.smallIndex = BuildIndex(all);
    auto appendRun = [&](int designation) {
        if (designation == kDesignationIc) return Append(all, ic);
        if (designation == kDesignationNgc) return Append(all, ngc);
        for (const DsoCatalogue& cat : kDsoCatalogues)
            if (cat.designation == designation) Append(all, DsoSelection(s, cat, BuiltInSize(designation)));
    };
    for (int designation = 1; designation < kDesignationCount; ++designation) appendRun(designation);
    files.full = Records(all);
    files.fullIndex = BuildIndex(all);
    files.crossRefs = BuildCrossRefs(all, s, starNames);
    return files;
}

}  // namespace convert
