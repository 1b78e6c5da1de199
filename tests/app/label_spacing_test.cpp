// Labels that ran together, overprinted a neighbour or were cut ("2021" on the
// compass curve, "09:51 10:01 10:06" on the eclipse map, "Alt 81.42" for
// 81 degrees 42', "Oct51.762", names under magnitudes or second names, "12l",
// "10m1"), on 240 x 320 at 96 dpi and 480 x 640 at 192 dpi: every text a stop
// names keeps 2 units clear across from every other text on the screen, lies
// whole inside it and, where a form is given, reads in it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/designations.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "chart/compass_chart.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_list.h"
#include "orbits/satellite_form_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/paint.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "support/test_site.h"
#include "support/verification_sets.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"

namespace {

struct LabelScreen {
    int width, height, dpi;
};

class LabelSpacing : public ProgramTest, public ::testing::WithParamInterface<LabelScreen> {
public:
    void Press(int id) { Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), id))); }
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        Tap(RowCentre(pl::GetDlgItem(GetCurrentFormDialog(), list), row));
    }
    void Command(int id) { MainCommand(id); }
    void OnUi(const std::function<void()>& call) { Ui(call); }

protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        Write("zendavori_location.ppc",
              record_writer::RecordDbBytes(1, 64, {record_writer::LocationBytes("Saint Vincent and the Grenadines",
                                                                                "Kingstown", 13.16f, -61.22f, -240)}));
        // A distant comet with a long name: 30 AU from the Sun near the form's date.
        CometRecord comet{};
        comet.kind = 13;
        std::snprintf(comet.name, sizeof comet.name, "C/2014 UN271 (Bernardinelli-Bernstein)");
        comet.year = 2024, comet.month = 3, comet.day = 1.0f;
        comet.perihelionDistance = 30.0f, comet.eccentricity = 0.2f;
        comet.argPerihelion = 326.3f, comet.node = 190.0f, comet.inclination = 95.5f;
        comet.absoluteMagnitude = -4.0f, comet.slope = 4.0f;
        Write("zendavori_comet.ppc", record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(comet)}));
        auto [line1, line2] = VerificationLines(28057);
        Write("zendavori_satellites.ppc",
              record_writer::RecordDbBytes(1, 213, {record_writer::SatelliteBytes("SUNSYNC 28057", line1, line2)}));
        ASSERT_TRUE(StartProgram());
        Ui([] { SetTestSite(51.0, 0.0, 0); });
    }
    void TearDown() override { pl::StopTextLog(); }
    void Write(const char* name, const record_writer::Bytes& bytes) {
        std::ofstream(folder.path() / "data" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

struct LabelStop {
    const char* name;
    void (*show)(LabelSpacing& t);
    const char* label;  // the texts checked
    const char* form;   // what each must read like; "" any
};

// The compass chart on an object of the equator due south at the chart's time
// (2024-03-05 21:10 at 51 N): its hours along the curve lie close together.
void ShowCompassOnTheEquator(LabelSpacing& t) {
    t.OnUi([] {
        const float south = static_cast<float>(CompassSiderealTime(DateTime{2024, 3, 5, 21, 10, 0}));
        selectionList[0] = ListEntry("Equator", kDesignationNgc, 1, 16, south, 0.0f);
        selectionCount = 1;
        selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
        selectionCurrentRow = 0;
    });
    t.Command(40015);
}

// A view of the total eclipse of 2027-08-02 (greatest at 10:06, so that both
// passes of the map's track label a time next to it), or of another event:
// row 0 of a list built from its date.
void EclipseView(LabelSpacing& t, int view, int year = 2027, int month = 8, int day = 2) {
    t.OnUi([year, month, day] {
        GotoForm(kHomeFormId);
        FreeEclipseList();
        listStartYear = year, listStartMonth = month, listStartDay = day;
    });
    t.Command(1029);
    t.Choose(2702, 2703, view);
}

// The Satellites strip of a planet's detail form at zoom "1" (the one with hour labels).
void PlanetStrip(LabelSpacing& t, int command) {
    t.Command(command);
    t.Choose(2466, 2467, 0);
    t.Choose(2463, 2464, 0);
}

void OrbitView(LabelSpacing& t, int view) {
    t.Command(1028);
    t.Choose(2551, 2552, view);
}

const LabelStop kStops[] = {
    {"compass_hours", ShowCompassOnTheEquator, "\\d\\d", ""},
    {"eclipse_map_times", [](LabelSpacing& t) { EclipseView(t, 3); }, "\\d\\d:\\d\\d", ""},
    // The partial eclipse of 2028-01-12: the longest kind name the list shows.
    {"lunar_diagram_title", [](LabelSpacing& t) { EclipseView(t, 4, 2028, 1, 1); },
     "Partial Lunar Eclipse|\\(Greatest at .*", ""},
    {"eclipse_info_alt_az", [](LabelSpacing& t) { EclipseView(t, 1); }, "Alt .*",
     "Alt -?\\d+\xB0\\d\\d'  Azimuth \\d+\xB0\\d\\d' [EW]"},
    {"orbit_cnst_dist", [](LabelSpacing& t) { OrbitView(t, 0); }, "[A-Z][A-Za-z]{2}|\\d+\\.\\d+", ""},
    {"orbit_best_dates", [](LabelSpacing& t) { OrbitView(t, 1); }, "-?\\d+\\.\\d", ""},
    {"orbit_brightest", [](LabelSpacing& t) { OrbitView(t, 2); }, "-?\\d+\\.\\d", ""},
    {"location_list", [](LabelSpacing& t) { t.OnUi([] { GotoForm(1600); }); }, "Kingstown", ""},
    {"jupiter_hours", [](LabelSpacing& t) { PlanetStrip(t, 1009); }, "\\d+h", ""},
    {"saturn_hours", [](LabelSpacing& t) { PlanetStrip(t, 1010); }, "\\d+h", ""},
    {"pass_durations",
     [](LabelSpacing& t) {
         satelliteFormState.year = 2006, satelliteFormState.month = 6, satelliteFormState.day = 26;
         satelliteFormState.hour = 21, satelliteFormState.minute = 0;
         t.Command(1032);
         t.Choose(2802, 2803, kSatelliteViewPass);
         t.OnUi([] {
             satelliteFormState.results[0].durationSeconds = 601;  // 10 min 1 s
             pl::Invalidate(pl::GetDlgItem(GetCurrentFormDialog(), 2813), nullptr, true);
         });
     },
     "\\d+m\\d+", "\\d+m\\d\\d"},
};

// The faults of the texts on the screen that `label` selects: cut or outside
// the screen, not reading as `form`, or closer than `gap` pixels across to
// another text's ink on the same lines.
std::vector<std::string> SpacingFaults(const LabelStop& stop, int gap, int width, int height) {
    const std::regex label(stop.label), form(stop.form);
    std::vector<pl::TextRun> runs;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
        if (!run.ink.IsEmpty()) runs.push_back(run);
    std::vector<std::string> faults;
    int checked = 0;
    for (const pl::TextRun& a : runs) {
        if (!std::regex_match(a.text, label)) continue;
        ++checked;
        // A list cuts its last row at its bottom by design.
        const bool inList = a.window && pl::GetClassName(a.window) == pl::kListViewClass;
        if ((a.cut && !inList) || a.ink.left < 0 || a.ink.top < 0 || a.ink.right > width || a.ink.bottom > height)
            faults.push_back("\"" + a.text + "\" is cut");
        if (*stop.form && !std::regex_match(a.text, form)) faults.push_back("\"" + a.text + "\" reads badly");
        const pl::Rect clear{a.ink.left - gap, a.ink.top, a.ink.right + gap, a.ink.bottom};
        for (const pl::TextRun& b : runs) {
            if (&a == &b || (a.text == b.text && a.cell == b.cell) || pl::Intersect(clear, b.ink).IsEmpty()) continue;
            faults.push_back("\"" + a.text + "\" meets \"" + b.text + "\"");
        }
    }
    if (checked == 0) faults.push_back("no label drawn");
    return faults;
}

TEST_P(LabelSpacing, LabelsKeepClearOfTheirNeighbours) {
    for (const LabelStop& stop : kStops) {
        SCOPED_TRACE(stop.name);
        Ui([] { pl::StartTextLog(); });
        stop.show(*this);
        AnswerAll();
        Shot((std::string("labels_") + stop.name + "_" + std::to_string(GetParam().width) + ".png").c_str());
        for (const std::string& fault : SpacingFaults(stop, ScaleX(2), GetParam().width, GetParam().height))
            ADD_FAILURE() << fault;
        Ui([] { pl::StopTextLog(); });
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, LabelSpacing,
                         ::testing::Values(LabelScreen{240, 320, 96}, LabelScreen{480, 640, 192}),
                         [](const ::testing::TestParamInfo<LabelScreen>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
