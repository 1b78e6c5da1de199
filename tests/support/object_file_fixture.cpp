#include "support/object_file_fixture.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "catalog/object_lists.h"

namespace fixture {
namespace {

constexpr int kNgc = 42;
constexpr int kIc = 29;

// `slots` ascending numbers in (low, high) holding every needed one, with fillers.
std::vector<int> FillBetween(int low, int high, int slots, const std::set<int32_t>& needed) {
    std::vector<int> chosen;
    for (int n : needed)
        if (n > low && n < high) chosen.push_back(n);
    for (int n = low + 1; n < high && static_cast<int>(chosen.size()) < slots; ++n)
        if (!needed.count(n)) chosen.push_back(n);
    if (static_cast<int>(chosen.size()) != slots) throw std::logic_error("numbers do not fit the records");
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::vector<int> NgcNumbers() {
    const std::map<int, int> anchors = {{40, 72},    {188, 85},   {224, 89},   {1952, 266},
                                        {1976, 272}, {7089, 1066}, {7789, 1114}, {7814, 1125}};
    std::set<int32_t> needed = NumberTableNumbers(kNgc);
    std::vector<int> numbers;
    auto previous = anchors.begin();
    numbers.push_back(previous->first);
    for (auto next = std::next(previous); next != anchors.end(); previous = next++) {
        std::vector<int> between = FillBetween(previous->first, next->first, next->second - previous->second - 1, needed);
        numbers.insert(numbers.end(), between.begin(), between.end());
        numbers.push_back(next->first);
    }
    return numbers;
}

}  // namespace

ObjectRecord SharedObject(int designation, int number) {
    ObjectRecord o{};
    o.designationId = static_cast<uint32_t>(designation);
    o.number = number;
    o.objectType = 16;
    o.constellation = static_cast<uint32_t>(number % 88);
    o.rightAscension = static_cast<float>(number % 24) + 0.5f;
    o.declination = static_cast<float>(number % 90) - 45.25f;
    o.magnitude = 8.5f;
    o.size1 = 10.0f;
    o.size2 = 5.0f;
    o.objectCode = 145;
    o.classCode = 252;
    o.distance = 1000.0f;
    return o;
}

std::vector<ObjectRecord> SharedObjectRecords() {
    std::vector<ObjectRecord> records;
    for (int n : FillBetween(0, 100000, 72, NumberTableNumbers(kIc))) records.push_back(SharedObject(kIc, n));
    for (int n : NgcNumbers()) records.push_back(SharedObject(kNgc, n));
    records.push_back(SharedObject(40, 45));
    for (int n : {9, 41, 99}) records.push_back(SharedObject(9, n));
    if (records.size() != 1130) throw std::logic_error("shared records miscounted");
    return records;
}

}  // namespace fixture
