// Shared set-up of the solar eclipse tests: the program's Delta T for 2006-2049 (66.184 s,
// the value the reference tables were made with), the series source of the eclipse Sun and
// Moon, a clean engine, recorded messages, and the Besselian elements of the reference
// eclipses (built once per test program).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/eclipse_work.h"
#include "core/preferences.h"
#include "eclipse/besselian.h"
#include "eclipse/eclipse_engine.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/local_eclipse.h"
#include "ephemeris/eclipse_sources.h"
#include "support/recording_services.h"
#include "support/reference_table.h"

class SolarEclipseTest : public ::testing::Test {
public:
    void SetUp() override {
        preferences.SetFloat(kPrefCurrentDeltaT, 66.184f);
        ResetEclipseWork();
        SelectSunMoonSource(0);
        ResetEclipseWorkBlock();
    }
    void TearDown() override {
        FreeSunInterpCache();
        FreeMoonInterpCache();
        ResetEclipseWork();
    }

    static constexpr double kDeltaT = 66.184;

    static ReferenceTable Table(const char* name) {
        return ReadReferenceTable(ZENDAVORI_SOURCE_DIR, name);
    }

    // Elements of a reference eclipse, at the t0 of tests/reference/solar_besselian_reference.csv.
    static const BesselianElements& ElementsFor(int year, int month, int day) {
        static std::map<std::tuple<int, int, int>, BesselianElements> cache;
        auto key = std::make_tuple(year, month, day);
        auto found = cache.find(key);
        if (found != cache.end()) return found->second;
        const ReferenceTable ref = Table("solar_besselian_reference.csv");
        int t0 = -1;
        for (std::size_t k = 0; k < ref.rows.size(); ++k) {
            if (ref.Get(k, "year") == year && ref.Get(k, "month") == month &&
                ref.Get(k, "day") == day) {
                t0 = static_cast<int>(ref.Get(k, "t0"));
            }
        }
        EXPECT_GE(t0, 0) << "no reference eclipse on " << year << "-" << month << "-" << day;
        BesselianElements e{};
        BuildBesselianElements(&e, year, month, day, t0);
        return cache[key] = e;
    }

    // The solar eclipse of a date completed as the eclipse list completes its selected record:
    // greatest eclipse, elements, and the Sun and Moon caches around it, selected.
    static EclipseEvent ListedSolarEclipse(int year, int month, int day) {
        EclipseEvent found{};
        eclipseCount = BuildEclipseList(&eclipseList, 4, year, month, 1);
        for (int i = 0; i < eclipseCount; ++i)
            if (eclipseList[i].type == 1 && eclipseList[i].day == day) found = eclipseList[i];
        FreeEclipseList();
        EXPECT_EQ(found.type, 1) << "no solar eclipse on " << year << "-" << month << "-" << day;
        double latitude, longitude;
        FindSolarGreatestEclipse(&found);
        PrepareSolarEclipse(&found, &latitude, &longitude);
        return found;
    }

    static int Date(const ReferenceTable& ref, std::size_t k, const char* column) {
        return static_cast<int>(ref.Get(k, column));
    }

    RecordingServices services;
};

// The contacts of a result against row k of a reference table whose c1..c4 read -1 where there
// is none: each phase found exactly where the table has its contacts, each contact within
// `tolerance` hours.
inline void ExpectContactsAsTabled(const LocalEclipseResult& r, const ReferenceTable& ref, std::size_t k,
                                   double tolerance) {
    for (auto [found, phase, column] : {std::tuple{r.firstContact, r.partialPhase, "c1"},
                                        {r.secondContact, r.centralPhase, "c2"},
                                        {r.thirdContact, r.centralPhase, "c3"},
                                        {r.fourthContact, r.partialPhase, "c4"}}) {
        EXPECT_EQ(phase, ref.Get(k, column) >= 0) << column;
        EXPECT_NEAR(phase ? found : -1, ref.Get(k, column), tolerance) << column;
    }
}
