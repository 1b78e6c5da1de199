// The sky chart of sky_chart_fixture.h with a telescope: the Meade LX200 GPS
// (drive 5) on port 1, answered by the drivers' simulated mount unless a test
// plays the mount itself; places of date for the device clock of the chart.
#pragma once

#include <cmath>
#include <utility>

#include "chart/chart_scope.h"
#include "chart/scope_marker.h"
#include "catalog/designations.h"
#include "core/julian_day.h"
#include "platform/dialog.h"
#include "ephemeris/apparent_altaz.h"
#include "scope/meade_simulation.h"
#include "scope/n_star_list.h"
#include "scope/pointing_model.h"
#include "scope/scope_form.h"
#include "scope/scope_services.h"
#include "sky_chart_fixture.h"

namespace sky_chart_test {

inline constexpr int kMeadeLx200Gps = 5;

class ScopeChartTest : public SkyChartTest {
protected:
    void TearDown() override {
        Ui([] {
            scopeConnected = 0;
            scopeSimulation = 0;
            scopeActive = 0;
        });
    }
    // Drive `drive` on port 1, answered by the simulated mount at rest at
    // (0 h, 0 deg) unless `simulated` is false.
    void Drive(int drive = kMeadeLx200Gps, bool simulated = true) {
        Ui([drive, simulated] {
            preferences.word[kPrefDriveId] = drive;
            preferences.word[kPrefScopePort] = 1;
            scopeSimulation = simulated ? 1 : 0;
            ResetSimulatedMeade();
            ResetScopeMarker();
            ResetChartScope();
            ResetNStarList();
            ResetPointingModel();
        });
    }
    // The simulated mount stands at a place of date.
    void MountAt(std::pair<double, double> placeOfDate) {
        Ui([placeOfDate] { SimulatedMeadeSync(placeOfDate.first, placeOfDate.second); });
    }
    // Where the simulated mount stands once it has walked to its target.
    std::pair<double, double> MountAtRest() {
        std::pair<double, double> now{-1, -1}, before{-2, -2};
        Ui([&] {
            for (int i = 0; i < 200 && now != before; ++i) {
                before = now;
                SimulatedMeadeQuery(&now.first, &now.second);
            }
        });
        return now;
    }
    // A J2000 place (hours, degrees) precessed and nutated to the date and
    // time of the device clock (ConvertJ2000ToDate, checked against ERFA).
    static std::pair<double, double> OfDate(std::pair<float, float> j2000) {
        double ra = j2000.first, dec = j2000.second;
        ConvertJ2000ToDate(JulianDayFromDateTime(2024, 3, 5, 21, 10, 0, 0), &ra, &dec);
        return {ra, dec};
    }
    // The list: "Centre" at `centre`, the current row, and `name` at `other`
    // (places of azimuth and altitude, PlaceAt), the chart opened at zoom `zoom`.
    void OpenOnCentreAnd(std::pair<float, float> centre, const char* name, std::pair<float, float> other, int zoom) {
        Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
             Entry(name, kDesignationNgc, 2, 2, other.first, other.second)},
            0);
        SetWord(kPrefChartZoom, zoom);
        Open();
    }
    std::string TakeBox() {
        std::string text = BoxText();
        if (!text.empty()) Answer(pl::IDOK);
        return text;
    }
    // The colours of the square of half-side `r` about (x, y).
    std::vector<uint32_t> Patch(int x, int y, int r) const {
        std::vector<uint32_t> pixels;
        for (int j = y - r; j <= y + r; ++j)
            for (int i = x - r; i <= x + r; ++i) pixels.push_back(Pixel(i, j));
        return pixels;
    }
};

}  // namespace sky_chart_test
