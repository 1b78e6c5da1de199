// The sky chart (form 1900) in the running program at 51 N 0 E, zone 0, on
// 5 March 2024 at 21:10 by the device clock. The default-star file holds a few
// chosen stars (bright, high in the sky at that time), every other star at
// magnitude 15. The local sidereal time then is 8 h 06.4 min: Greenwich mean
// sidereal time by Meeus, Astronomical Algorithms (1998), eq. 12.4.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <utility>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/listed_places.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_manual_input.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_taps.h"
#include "chart/chart_views.h"
#include "chart/sky_chart_form.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "orbits/comet_position.h"
#include "platform/controls.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/list_entries.h"
#include "support/minor_planet_records.h"
#include "support/program_fixture.h"
#include "support/test_site.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/text_drawing.h"

namespace sky_chart_test {

inline constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
inline constexpr double kLstHours = 8.0 + 6.41 / 60.0;  // Meeus eq. 12.4 for 2024-03-05 21:10 UT
inline constexpr uint32_t kGrid = 0x606060;             // RGB(102, 102, 102) at 5 bits a channel

struct ChosenStar {
    int index;
    double raHours, decDegrees;
    int magnitude16;
};

// Bright stars about the meridian, 20 to 50 degrees from the zenith.
inline const ChosenStar kChosen[] = {
    {10, kLstHours - 1.0, 60.0, 16}, {20, kLstHours + 0.5, 40.0, 24}, {30, kLstHours - 0.3, 30.0, 8},
    {40, kLstHours + 1.2, 55.0, 32}, {50, kLstHours, 71.0, 16},
};

inline void WriteFile(const std::filesystem::path& path, const record_writer::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The chosen stars and the figure lines that join the first four one after another.
inline void WriteDefaultStars(const std::filesystem::path& home) {
    std::vector<record_writer::Bytes> records;
    for (int i = 0; i < kBrightStarCount; ++i) {
        record_writer::StarFile s;
        s.hr = static_cast<int16_t>(i + 1);
        s.raHours = static_cast<float>(std::fmod(i * 0.37, 24.0));
        s.decDegrees = static_cast<float>(-80.0 + std::fmod(i * 7.3, 160.0));
        s.magnitude16 = 15 * 16;
        for (const ChosenStar& c : kChosen)
            if (c.index == i) {
                s.raHours = static_cast<float>(c.raHours);
                s.decDegrees = static_cast<float>(c.decDegrees);
                s.magnitude16 = static_cast<int16_t>(c.magnitude16);
            }
        records.push_back(record_writer::StarBytes(s));
    }
    WriteFile(home / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, records));
    std::vector<record_writer::Bytes> lines;
    for (int i = 1; i < 4; ++i)
        lines.push_back(record_writer::ConstellationLineBytes(0, 0, static_cast<int16_t>(kChosen[i - 1].index),
                                                              static_cast<int16_t>(kChosen[i].index)));
    WriteFile(home / "data" / "zendavori_constellation.ppc", record_writer::RecordDbBytes(1, 8, lines));
}

// The comet file: 4 Vesta at record 0 (the JPL Small-Body Database elements at MJD 59800 that
// scripts/reference/listed_places_pyephem.py takes, in single precision) and at record 1 the comet
// `name`: perihelion on year-month-day, q (AU), e, argument of perihelion, node and inclination
// (degrees, J2000 ecliptic and equinox), magnitude 8 + 10 log r.
inline void WriteVestaAndComet(const std::filesystem::path& home, const char* name, int year, int month, float day,
                               float q, float e, float peri, float node, float inclination) {
    const CometRecord vesta = VestaRecord();
    CometRecord comet{};
    std::strncpy(comet.name, name, sizeof comet.name - 1);
    comet.kind = 13, comet.year = static_cast<int16_t>(year), comet.month = static_cast<int16_t>(month), comet.day = day;
    comet.perihelionDistance = q, comet.eccentricity = e, comet.argPerihelion = peri, comet.node = node;
    comet.inclination = inclination, comet.absoluteMagnitude = 8.0f, comet.slope = 10.0f;
    WriteFile(home / "data" / "zendavori_comet.ppc",
              record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(vesta), record_writer::CometBytes(comet)}));
}

// A star-catalogue entry of magnitude 5.
inline SelectionEntry Entry(const char* name, int designation, int number, int type, float ra, float dec) {
    SelectionEntry e = ListEntry(name, designation, number, type, ra, dec);
    e.mag10 = 50;
    e.source = kSourceStar;
    return e;
}

// Right ascension (hours) and declination (degrees) of azimuth A (from north
// through east) and altitude h at latitude 51 and sidereal time kLstHours, by
// the standard horizontal-to-equatorial formulas (Meeus, eq. 13.5 and 13.6 inverted).
inline std::pair<float, float> PlaceAt(double azimuthDeg, double altitudeDeg) {
    const double a = azimuthDeg * kDegToRad, h = altitudeDeg * kDegToRad, phi = 51.0 * kDegToRad;
    const double dec = std::asin(std::sin(phi) * std::sin(h) + std::cos(phi) * std::cos(h) * std::cos(a));
    const double hourAngle = std::atan2(-std::sin(a) * std::cos(h), std::sin(h) * std::cos(phi) -
                                                                      std::cos(h) * std::sin(phi) * std::cos(a));
    const double ra = std::fmod(kLstHours - hourAngle / kDegToRad / 15.0 + 48.0, 24.0);
    return {static_cast<float>(ra), static_cast<float>(dec / kDegToRad)};
}

// A bright star with a proper name, placed by azimuth and altitude (PlaceAt).
struct NamedStar {
    const char* name;
    int index;  // in the default-star file
    double azimuth, altitude;
};

// The default-star file with the named stars at magnitude 1 and every other
// star at magnitude 15, and the bright-star names file that names them.
inline void WriteNamedStars(const std::filesystem::path& home, std::span<const NamedStar> stars) {
    std::vector<record_writer::Bytes> records;
    for (int i = 0; i < kBrightStarCount; ++i) {
        record_writer::StarFile s;
        s.hr = static_cast<int16_t>(i + 1);
        s.raHours = static_cast<float>(std::fmod(i * 0.37, 24.0));
        s.decDegrees = static_cast<float>(-80.0 + std::fmod(i * 7.3, 160.0));
        s.magnitude16 = 15 * 16;
        for (const NamedStar& n : stars)
            if (n.index == i) {
                auto [ra, dec] = PlaceAt(n.azimuth, n.altitude);
                s.raHours = ra;
                s.decDegrees = dec;
                s.magnitude16 = 16;
            }
        records.push_back(record_writer::StarBytes(s));
    }
    WriteFile(home / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, records));
    std::vector<record_writer::Bytes> names;
    for (int half = 0; half < 2; ++half)  // in name order, then in HR order: the same order here
        for (const NamedStar& n : stars)
            names.push_back(record_writer::BrightStarNameBytes(n.name, static_cast<int16_t>(n.index)));
    WriteFile(home / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, names));
}

// The screens the chart is checked on, each started afresh (its fonts are made
// for the screen it starts on): the 240 x 320 design and 480 x 640 at 192 dpi.
struct ChartScreen {
    int width, height, dpi;
};
inline constexpr ChartScreen kChartScreens[] = {{240, 320, 96}, {480, 640, 192}};

class SkyChartTest : public ProgramTest {
protected:
    void Start(int width = 240, int height = 320, int dpi = 96) {
        WriteDefaultStars(folder.path());
        Boot(width, height, dpi);
    }
    // The program started on the star file already written, with the chart state reset.
    void Boot(int width, int height, int dpi, pl::LocalTime now = {2024, 3, 5, 21, 10, 0}) {
        harness.changeScreen(width, height, dpi);
        ResetScreenScale();  // this screen's, not that of a test run before in the same process
        harness.setLocalTime(now);
        harness.setShortDatePattern("dd/MM/yy");
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ResetScreenScale();  // this screen's layout multiplier, not that of a test before
            ResetChartState();
            ResetChartRedraw();
            ResetStarCatalog();
            ReopenDatabases(1);
            ResetSkyChartForm();
            ResetChartTaps();
            ResetChartManualInput();
            SetTestSite(51.0, 0.0, 0);
            ResetDateFieldOrder();
            chartView = 0;
        });
    }
    // The list holds `entries`, row `row` current.
    void Put(const std::vector<SelectionEntry>& entries, int row) {
        Ui([&entries, row] {
            for (std::size_t i = 0; i < entries.size(); ++i) selectionList[i] = entries[i];
            selectionList[entries.size()].number = -1;
            selectionCount = static_cast<int>(entries.size());
            selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
            selectionCurrentRow = row;
            InvalidateHorizonProjection();
        });
    }
    // The chart and the list's bodies at local time y-m-d h:00.
    void MoveTo(int y, int m, int d, int h) {
        harness.setLocalTime(pl::LocalTime{y, m, d, h, 0, 0});
        Ui([] {
            dateTimeFixed = 0;
            RestartChartTime();
            const DateTime& t = currentDateTime;
            RefreshMovingSelectionEntries(t.year, t.month, t.day, t.hour, t.minute, t.second);
        });
    }
    void Open() {
        MainCommand(1003);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    }
    void Close() { MainCommand(1011); }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    uint32_t Pixel(int x, int y) const { return harness.pixel(x, y) & 0xF8F8F8; }
    int Count(int x0, int y0, int x1, int y1, uint32_t colour) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Pixel(x, y) == colour;
        return n;
    }
    // Chooses row `row` of the popup whose list is `list` as a tap on it does.
    void Choose(int trigger, int list, int row) {
        Ui([trigger, list, row] {
            Set(list, row);
            pl::PostMessage(GetCurrentFormDialog(), pl::WM_COMMAND, pl::MakeWParam(trigger, list), 0);
        });
    }
    void Redraw() {
        Ui([] {
            InitDrawWindowOwnDc(GetCurrentFormDialog());
            RedrawSkyChart();
        });
    }
    // The colour most pixels of the chart's middle have: its background.
    uint32_t Background() const {
        std::vector<std::pair<uint32_t, int>> counts;
        for (int y = 40; y < 280; y += 3)
            for (int x = 20; x < 200; x += 3) {
                uint32_t c = Pixel(x, y);
                auto it = std::find_if(counts.begin(), counts.end(), [c](const auto& p) { return p.first == c; });
                if (it == counts.end()) counts.emplace_back(c, 1);
                else ++it->second;
            }
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })->first;
    }
    void SetWord(int word, int value) {
        Ui([word, value] { preferences.word[word] = value; });
    }
    void Zoom(int step) { Choose(kChartZoomTrigger, kChartZoomList, step); }
    static std::vector<std::pair<int, int>> ShownStarPoints() {
        std::vector<std::pair<int, int>> points;
        for (const ChosenStar& c : kChosen) {
            const StarRecord& s = brightStarTable[c.index];
            if (s.hidden == 0) points.emplace_back(s.screenX, s.screenY);
        }
        return points;
    }
};

}  // namespace sky_chart_test
