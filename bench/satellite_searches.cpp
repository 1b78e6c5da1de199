// The satellites form's searches as the user starts them, over a satellite
// file of 20 element sets (four written sets like those of the search tests,
// three of a satellite like the space station and one sun-synchronous set,
// each with its node turned by 18-degree steps and its mean anomaly by
// 47-degree steps in 5 variants, all named "IR ..." so that both the Next and
// the Flare search take every one), from Sydney (zone +11 h) on 20 January
// 2027 at 19:00: the Pass search of each of the first 4 records (30 days or
// 30 rows), the Next search (one pass a satellite in half a day) and the
// Flare search (two days); the Transit search of the same 4 records and of a
// fifth file that adds a 12-hour orbit (passes of some 8 hours) at 40 N 105 W
// (30 days or the first transit). The Pass, Next and Flare searches also run
// over a file of 20 variants of that 12-hour orbit (its node and mean anomaly
// turned as above, named "IR ...") at 40 N 105 W (-7 h) on the same date.
// Counter: the rows found per search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "catalog/databases.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "element_set_variants.h"
#include "orbits/flare_search.h"
#include "orbits/pass_search.h"
#include "platform/files.h"

namespace {

const char* const kBaseSets[][2] = {
    {"1 90001U 27999A   27019.50000000  .00012456  00000-0  22437-3 0  9999",
     "2 90001  51.6358 172.4410 0005611  58.9136 301.2468 15.50034815    11"},
    {"1 90002U 27999A   27010.50000000  .00015120  00000-0  27181-3 0  9993",
     "2 90002  51.6371 216.9652 0005398  41.2090 318.9433 15.49862110    17"},
    {"1 90003U 27999A   26349.50000000  .00010813  00000-0  19650-3 0  9994",
     "2 90003  51.6402 348.1154 0004901  12.8745 347.2281 15.49410327    13"},
    {"1 90004U 27999A   26365.50000000  .00000042  00000-0  21542-4 0  9990",
     "2 90004  98.6012  41.3390 0011874 102.5567 257.6931 14.21539876    18"},
};
constexpr int kVariants = 5;

// A set written for the benchmark: a 12-hour orbit like a navigation
// satellite's.
const char* const kTwelveHourSet[2] = {
    "1 90005U 27999A   27015.50000000 -.00000050  00000-0  10000-3 0  9991",
    "2 90005  55.0000 100.0000 0050000 270.0000  90.0000  2.00560000    18",
};

// The files of the benchmarks: the 20 low sets, those and the 12-hour set
// after them, or 20 variants of the 12-hour set.
enum class SetFile { Low, LowAndTwelveHours, TwelveHours };

// Variant k of a set, named "IR <its position in the file>".
void AddVariant(std::vector<record_writer::Bytes>* records, const char* const (&lines)[2], int k) {
    char name[32];
    std::snprintf(name, sizeof name, "IR %d", static_cast<int>(records->size()));
    records->push_back(record_writer::SatelliteBytes(name, lines[0], Shifted(lines[1], 18.0 * k, 47.0 * k)));
}

void WriteSatellites(const std::filesystem::path& file, SetFile sets) {
    std::vector<record_writer::Bytes> records;
    if (sets == SetFile::TwelveHours) {
        for (int k = 0; k < 20; ++k) AddVariant(&records, kTwelveHourSet, k);
    } else {
        for (int k = 0; k < kVariants; ++k)
            for (const auto& base : kBaseSets) AddVariant(&records, base, k);
    }
    if (sets == SetFile::LowAndTwelveHours)
        records.push_back(record_writer::SatelliteBytes("TWELVE HOURS", kTwelveHourSet[0], kTwelveHourSet[1]));
    const record_writer::Bytes bytes = record_writer::RecordDbBytes(1, 213, records);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The program folder with the satellite file, the site and the form's buffers.
class SearchFixture {
public:
    explicit SearchFixture(SetFile sets = SetFile::Low) {
        const std::filesystem::path home = BenchFolder("satellites");
        std::filesystem::create_directories(home / "data");
        WriteSatellites(home / "data" / "zendavori_satellites.ppc", sets);
        pl::SetProgramFolder(home.string());
        ResetSharedState();
        ValidatePreferences();
        ResetCatalogState();
        SetSiteLatitude(currentSite, -33.8688);
        currentSite.longitude = -151.2093f;
        currentSite.zoneMinutes = 660;
        currentSite.elevation = 58;
        OpenRecordDb(&satelliteDb, "pl00", "ZDV1", "data\\", "zendavori_satellites.ppc");
        ResetSatelliteFormState();
        SatelliteFormState& f = satelliteFormState;
        f.record = &record_;
        f.elements = &elements_;
        f.results = rows_;
        f.transitMode = 0;
        f.year = 2027, f.month = 1, f.day = 20, f.hour = 19, f.minute = 0, f.second = 0;
        if (sets != SetFile::Low) {  // the 12-hour orbits are watched from 40 N 105 W
            SetSiteLatitude(currentSite, 40.0);
            currentSite.longitude = 105.0f;
            currentSite.zoneMinutes = -420;
            currentSite.elevation = 0;
        }
    }
    ~SearchFixture() {
        ResetSatelliteFormState();
        ResetCatalogState();
        pl::SetProgramFolder("");
    }
    SearchFixture(const SearchFixture&) = delete;
    SearchFixture& operator=(const SearchFixture&) = delete;

private:
    SatelliteRecord record_{};
    SatelliteElements elements_{};
    PassRow rows_[kMaxPassRows]{};
};

// The Pass search of the low sets (Arg 0) or of the 12-hour sets (Arg 1).
void BM_PassSearch(benchmark::State& state) {
    SearchFixture fixture(state.range(0) ? SetFile::TwelveHours : SetFile::Low);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int index = 0; index < 4; ++index) {
            satelliteFormState.resultCount = 0;
            SearchSatellitePasses(index);
            rows += satelliteFormState.resultCount;
        }
    }
    state.counters["rows"] = rows / 4.0;
}
BENCHMARK(BM_PassSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// flareMode 0: Next; 1: Flare; of the low sets (second Arg 0) or of the
// 12-hour sets (1).
void BM_FlareOrNextSearch(benchmark::State& state) {
    SearchFixture fixture(state.range(1) ? SetFile::TwelveHours : SetFile::Low);
    satelliteFormState.flareMode = static_cast<int>(state.range(0));
    int rows = 0;
    for (auto _ : state) {
        satelliteFormState.resultCount = 0;
        SearchFlares(0);
        rows = satelliteFormState.resultCount;
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_FlareOrNextSearch)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);

// The Transit search of each of the first 4 records from Sydney (Arg 0), or
// of the 12-hour set from 40 N 105 W (-7 h) on the same date (Arg 1).
void BM_TransitSearch(benchmark::State& state) {
    const bool twelveHours = state.range(0) != 0;
    SearchFixture fixture(twelveHours ? SetFile::LowAndTwelveHours : SetFile::Low);
    satelliteFormState.transitMode = 1;
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int index : twelveHours ? std::vector<int>{20} : std::vector<int>{0, 1, 2, 3}) {
            satelliteFormState.resultCount = 0;
            SearchSatellitePasses(index);
            rows += satelliteFormState.resultCount;
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_TransitSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
