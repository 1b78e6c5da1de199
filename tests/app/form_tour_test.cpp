// The form tour: every form of the form table (app/form_table.cpp) that has a
// dialog procedure is opened from the home form, on the 240 x 320 screen at
// 96 dpi and on the 480 x 640 screen at 192 dpi, checked, closed, and the home
// form must come back pixel for pixel. The checks (support/layout_check.h):
// every label of a static text, button or check box fits its control in the
// font it is drawn in; no text is cut by its clip; no two texts of the form's
// own paint overlap (chart labels, compass roses and maps draw under a
// TextLogExemption and are left out).
//
// Adding a form: give it its dialog procedure in the form table and it joins
// the tour by itself. Each form is opened once and left before it is checked,
// so the choices a form makes on its first opening of a run (the location
// form takes saved site 0) are made before the home form is sampled.
// A view of a form that its opening does not show (a popup's other views, a
// mode set by a menu command, an input box) gets one line in kStops below: a
// name that starts with the form's number, and the steps that show it.
//
// With ZENDAVORI_SHOT_DIR set, each screen checked is saved there as
// tour_<form>[_<stop>]_<width>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/form_table.h"
#include "app/main_window.h"
#include "catalog/record_writer.h"
#include "eclipse/eclipse_form.h"
#include "objects/criteria_form.h"
#include "objects/ephemeris_form.h"
#include "objects/finder_form.h"
#include "objects/object_info_form.h"
#include "tools/camera_form.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "core/preferences.h"
#include "scope/alignment.h"
#include "scope/encoder_box.h"
#include "scope/scope_control_form.h"
#include "scope/scope_dispatch.h"
#include "support/layout_check.h"
#include "support/program_fixture.h"
#include "support/verification_sets.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"
#include "ui/shell_state.h"

namespace {

struct TourScreen {
    int width, height, dpi;
};

class FormTour : public ProgramTest, public ::testing::WithParamInterface<TourScreen> {
public:
    void Press(int id) { Tap(Centre(Item(id))); }
    void TapRow(int list, int row) { Tap(RowCentre(Item(list), row)); }
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        TapRow(list, row);
    }
    // Types into the text input box that a tap on field `id` opens.
    void Type(int id, const char* text) {
        Press(id);
        Ui([text] {
            pl::Hwnd box = pl::GetActiveWindow();
            pl::SetDlgItemText(box, 137, text);
            pl::SendMessage(box, pl::WM_COMMAND, pl::IDOK, 0);
        });
    }
    void Command(int id) { MainCommand(id); }
    void Advance(uint32_t ms) { harness.advance(ms); }
    void AnswerBoxes() { AnswerAll(); }
    void OnUi(const std::function<void()>& call) { Ui(call); }

protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();  // the layout multiplier of this screen, not of the one toured before
        // The location list of the program folder, as the catalogue converter makes it.
        record_writer::Bytes db = record_writer::RecordDbBytes(
            1, 64, {record_writer::LocationBytes("Paris", "Saint-Germain-en-Laye", 48.85f, 2.35f, 60)});
        std::ofstream(folder.path() / "data" / "zendavori_location.ppc", std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
        // One element set, so that the satellites form opens on a satellite.
        auto [line1, line2] = VerificationLines(28057);
        db = record_writer::RecordDbBytes(1, 213, {record_writer::SatelliteBytes("SUNSYNC 28057", line1, line2)});
        std::ofstream(folder.path() / "data" / "zendavori_satellites.ppc", std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
        // One comet near the tour's date, so that the orbit assistant's views have rows.
        CometRecord comet{};
        comet.kind = 13;
        std::snprintf(comet.name, sizeof comet.name, "12P/Pons-Brooks");
        comet.year = 2024, comet.month = 4, comet.day = 21.1f;
        comet.perihelionDistance = 0.781f, comet.eccentricity = 0.9546f;
        comet.argPerihelion = 198.9f, comet.node = 255.9f, comet.inclination = 74.2f;
        comet.absoluteMagnitude = 5.0f, comet.slope = 10.0f;
        db = record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(comet)});
        std::ofstream(folder.path() / "data" / "zendavori_comet.ppc", std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
        ASSERT_TRUE(StartProgram());
        ASSERT_EQ(BoxCount(), 0);
        // The scope control form talks to the simulated mount, not to a port.
        Ui([] { scopeSimulation = 1; });
    }
    void TearDown() override {
        pl::StopTextLog();
        scopeSimulation = 0;
    }

    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    void Goto(int formId) {
        Ui([formId] { GotoForm(formId); });
    }
    void Home() {
        Goto(kHomeFormId);
        AnswerAll();
    }
    // The faults of the open form, of a modal box and of a menu bar above it.
    std::vector<std::string> Faults() {
        std::vector<std::string> faults;
        Ui([&faults] {
            faults = LayoutFaults(GetCurrentFormDialog());
            for (pl::Hwnd top : pl::TopLevelWindows()) {
                bool above = pl::IsModalDialog(top) || pl::GetClassName(top) == pl::kMenuBarClass;
                if (top == GetCurrentFormDialog() || !above || !pl::IsWindowVisible(top)) continue;
                for (const std::string& f : LayoutFaults(top)) faults.push_back(f);
            }
        });
        return faults;
    }
    // Shows a screen with `show`, checks it and goes home; the home form must
    // come back as it was.
    void Visit(const std::string& name, const std::function<void()>& show) {
        SCOPED_TRACE(name);
        const std::vector<uint32_t> home = ScreenSample(1);
        Ui([] { pl::StartTextLog(); });
        show();
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        AnswerAll();
        Shot(("tour_" + name + "_" + std::to_string(GetParam().width) + ".png").c_str());
        for (const std::string& fault : Faults()) ADD_FAILURE() << fault;
        Ui([] { pl::StopTextLog(); });
        Ui([] {
            pl::Hwnd active = pl::GetActiveWindow();
            if (active && pl::IsModalDialog(active)) pl::EndDialog(active, pl::IDCANCEL);
        });
        if (pl::OpenPopupMenu()) harness.tap(pl::GetScreenInfo().width - 2, pl::GetScreenInfo().height / 2);
        Home();
        EXPECT_EQ(Differences(home, ScreenSample(1)), "");
    }

    // The pixels that differ: their count and bounds, "" when none.
    static std::string Differences(const std::vector<uint32_t>& before, const std::vector<uint32_t>& after) {
        const int width = pl::GetScreenInfo().width;
        int count = 0;
        pl::Rect bounds{1 << 20, 1 << 20, -1, -1};
        for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
            if (before[i] == after[i]) continue;
            ++count;
            int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
            bounds = pl::Rect{std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                              std::max(bounds.bottom, y + 1)};
        }
        if (count == 0) return "";
        char text[96];
        std::snprintf(text, sizeof text, "%d pixels within (%d,%d)-(%d,%d)", count, bounds.left, bounds.top,
                      bounds.right, bounds.bottom);
        return text;
    }
};

// Views that opening their form does not show.
struct Stop {
    const char* name;
    void (*show)(FormTour& tour);
};

constexpr int kListCriteriaButton = 1831;
constexpr int kPlanetViewTrigger = 2466, kPlanetViewList = 2467, kTitleControl = 8001;
constexpr int kPlanetPageTrigger = 2449, kPlanetPageList = 2448, kPlanetQuantityTrigger = 2438,
              kPlanetQuantityList = 2439;

// A page of the planets assistant (menu 1017).
void PlanetPage(FormTour& t, int page) {
    t.Command(1017);
    t.Choose(kPlanetPageTrigger, kPlanetPageList, page);
}
constexpr int kScopeControlCommand = 1013, kTwoStarCommand = 1005;
constexpr int kEclipseYear = 2708, kEclipseList = 2704, kEclipseViewTrigger = 2702, kEclipseViewList = 2703;

// The lunar eclipse of 3 March 2026: row 1 of the list that starts in 2026.
void LunarEclipse2026(FormTour& t, int view) {
    t.Command(1029);
    t.Type(kEclipseYear, "2026");
    t.TapRow(kEclipseList, 1);
    t.Choose(kEclipseViewTrigger, kEclipseViewList, view);
}

// Object information on a row of a tab, from the menu.
void ObjectInfoOn(FormTour& t, int tab, int row) {
    t.Command(1007);
    t.Choose(kInfoTabTrigger, kInfoTabList, tab);
    t.Choose(kInfoObjectTrigger, kInfoObjectList, row);
}
constexpr int kPlanetTab = 7, kMeteorTab = 6, kConstellationTab = 3, kJupiterRow = 5, kSaturnRow = 6;

constexpr int kOrbitCommand = 1028, kOrbitViewTrigger = 2551, kOrbitViewList = 2552;

// A view of the orbit assistant.
void OrbitView(FormTour& t, int view) {
    t.Command(kOrbitCommand);
    t.Choose(kOrbitViewTrigger, kOrbitViewList, view);
}

const Stop kStops[] = {
    {"2550_best_dates", [](FormTour& t) { OrbitView(t, 1); }},
    {"2550_brightest", [](FormTour& t) { OrbitView(t, 2); }},
    {"2550_3d_view", [](FormTour& t) { OrbitView(t, 3); }},
    {"2550_sky_view", [](FormTour& t) { OrbitView(t, 4); }},
    {"2550_data", [](FormTour& t) { OrbitView(t, 5); }},
    {"2550_ephemeris", [](FormTour& t) { OrbitView(t, 0); }},
    {"2700_lunar_info", [](FormTour& t) { LunarEclipse2026(t, kEclipseInfoView); }},
    {"2700_lunar_path", [](FormTour& t) { LunarEclipse2026(t, kEclipsePathView); }},
    {"2700_lunar_diagram", [](FormTour& t) { LunarEclipse2026(t, kEclipseDiagramView); }},
    {"2460_mars_satellites", [](FormTour& t) {
         t.Command(1027);
         t.Choose(kPlanetViewTrigger, kPlanetViewList, 0);
     }},
    {"2450_sun_view", [](FormTour& t) { PlanetPage(t, 1); }},
    {"2450_position", [](FormTour& t) { PlanetPage(t, 2); }},
    {"2450_sky_view", [](FormTour& t) { PlanetPage(t, 3); }},
    {"2450_info", [](FormTour& t) { PlanetPage(t, 4); }},
    {"2450_rise_set", [](FormTour& t) { PlanetPage(t, 5); }},
    {"2450_charts_elevation", [](FormTour& t) {
         PlanetPage(t, 6);
         t.Choose(kPlanetQuantityTrigger, kPlanetQuantityList, 4);
     }},
    {"2450_events", [](FormTour& t) { PlanetPage(t, 7); }},
    {"2450_ecliptic", [](FormTour& t) { PlanetPage(t, 0); }},
    {"1950_menu_bar", [](FormTour& t) { t.Press(kTitleControl); }},
    {"5300_shots_box", [](FormTour& t) {
         t.Command(1026);
         t.Press(kShotsField);
     }},
    {"2350_jupiter", [](FormTour& t) {
         t.Command(1014);
         t.Choose(kFinderCatalogTrigger, kFinderCatalogList, 5);  // planets
         t.Choose(kFinderObjectTrigger, kFinderObjectList, 5);
     }},
    {"112_jupiter", [](FormTour& t) { ObjectInfoOn(t, kPlanetTab, kJupiterRow); }},
    {"112_saturn", [](FormTour& t) { ObjectInfoOn(t, kPlanetTab, kSaturnRow); }},
    {"112_meteor_shower", [](FormTour& t) { ObjectInfoOn(t, kMeteorTab, 0); }},
    {"112_finder_chart", [](FormTour& t) { ObjectInfoOn(t, kConstellationTab, 0); }},
    {"2530_rise_set", [](FormTour& t) {
         ObjectInfoOn(t, kPlanetTab, kJupiterRow);
         t.Press(kInfoEphemeris);
     }},
    {"2530_position", [](FormTour& t) {
         ObjectInfoOn(t, kPlanetTab, kJupiterRow);
         t.Press(kInfoEphemeris);
         t.Choose(kEphemerisPageTrigger, kEphemerisPageList, 1);
     }},
    {"1800_constellations", [](FormTour& t) {
         t.Command(1004);
         t.Press(kListCriteriaButton);
         t.Press(kCriteriaObjectTrash);
         t.Choose(kCriteriaTypeTrigger, kCriteriaTypeList, 14);
         t.Press(kCriteriaNew);
         t.AnswerBoxes();  // the 89 constellations are more than the list holds, as the search says
     }},
    {"2400_panel", [](FormTour& t) {
         t.Command(kScopeControlCommand);
         t.Advance(kScopeTimerMs);
     }},
    {"2400_encoder", [](FormTour& t) {  // every line of the read-out: an alignment and a pending target
         static int32_t steps[2];
         t.OnUi([] {
             preferences.word[kPrefDriveId] = 3;
             steps[0] = std::exchange(preferences.word[kPrefEncoderStepsAz], 8192);
             steps[1] = std::exchange(preferences.word[kPrefEncoderStepsAlt], 8192);
             alignmentModel.transform[0][0] = alignmentModel.transform[1][1] = alignmentModel.transform[2][2] = 1;
             alignmentModel.valid = 1;
             pendingScopeTarget = ScopeTarget{5.5, 20.0};
         });
         t.Command(kScopeControlCommand);
         t.Advance(kScopeTimerMs);
         t.OnUi([] {
             preferences.word[kPrefDriveId] = 5;
             preferences.word[kPrefEncoderStepsAz] = steps[0];
             preferences.word[kPrefEncoderStepsAlt] = steps[1];
             ResetAlignmentModel();
             ResetEncoderBox();
         });
     }},
    {"1300_stars", [](FormTour& t) {
         t.Command(kTwoStarCommand);
         for (int field : {1307, 1308, 1315, 1316}) t.Type(field, "23:59:59");
         for (int field : {1309, 1310, 1313, 1314}) t.Type(field, "-89:59:59");
         for (int field : {1305, 1306}) t.Type(field, "23:59:59");
     }},
    {"1300_platform", [](FormTour& t) {
         t.OnUi([] { preferences.word[kPrefMountType] = 2; });
         t.Command(kTwoStarCommand);
         t.Press(1345);
         t.OnUi([] {
             preferences.word[kPrefMountType] = 0;
             SetPlatformMode(0);
         });
     }},
};

TEST_P(FormTour, EveryFormFitsAndLeavesTheHomeFormAsItWas) {
    std::vector<int> forms;
    for (const FormEntry& entry : FormTable())
        if (entry.proc && entry.formId != kHomeFormId) forms.push_back(entry.formId);
    ASSERT_GE(forms.size(), 19u);
    for (int form : forms) {  // first openings of the run
        Goto(form);
        AnswerAll();
        Home();
    }
    for (int form : forms)
        Visit(std::to_string(form), [this, form] {
            Goto(form);
            EXPECT_EQ(GetCurrentFormId(), form);
        });
    for (const Stop& stop : kStops) Visit(stop.name, [this, &stop] { stop.show(*this); });
}

// The checks themselves, on forms of the tests (templates 7300 and 7310): a
// label too long for its static, texts of the form's paint that overlap, one
// that runs past the form's side, and a clean form that passes.
constexpr int kLongLabelForm = 7300, kShortLabelForm = 7310, kCheckedLabel = 7301;

void (*checkedDraw)() = nullptr;
int checkedFirstPaint = 1;

pl::LResult CheckedFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        InitFormWindow(form, 25);
        SetCurrentFormDialog(form);
        checkedFirstPaint = 1;
        return 1;
    case pl::WM_PAINT: PaintForm(form, checkedDraw, &checkedFirstPaint, 0, 0); return 1;
    case pl::WM_COMMAND:
        if (pl::LoWord(wParam) == kCmdCloseForm) DestroyCurrentForm();
        return 1;
    default: return 0;
    }
}

void Draw(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

constexpr pl::ControlTemplate kLongLabel[] = {
    {pl::kStaticControl, kCheckedLabel, "A label deliberately far too long for its control", 5, 30, 40, 10, 0}};
constexpr pl::ControlTemplate kShortLabel[] = {{pl::kStaticControl, kCheckedLabel, "Short", 5, 30, 40, 10, 0}};
constexpr pl::DialogTemplate kCheckedDialogs[] = {{kLongLabelForm, 0, 0, 138, 160, "", kLongLabel},
                                                  {kShortLabelForm, 0, 0, 138, 160, "", kShortLabel}};
const pl::ResourceGroup kCheckedForms = {.dialogs = kCheckedDialogs};

class LayoutChecks : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ASSERT_TRUE(StartProgram());
    }
    void TearDown() override { pl::StopTextLog(); }
    std::vector<std::string> FaultsOf(int templateId, void (*draw)()) {
        std::vector<std::string> faults;
        Ui([templateId, draw] {
            pl::AddResourceGroup(kCheckedForms);
            checkedDraw = draw;
            pl::StartTextLog();
            CloseCurrentForm();
            pl::CreateDialog(templateId, mainWindow, CheckedFormProc);
        });
        Ui([&faults] {
            faults = LayoutFaults(GetCurrentFormDialog());
            pl::StopTextLog();
            GotoForm(kHomeFormId);
        });
        return faults;
    }
};

TEST_F(LayoutChecks, EachFaultIsFoundAndACleanFormPasses) {
    const struct {
        int form;
        void (*draw)();
        const char* fault;  // "" for none
    } cases[] = {
        {kLongLabelForm, nullptr, "label \"A label deliberately far too long for its control\" of control 7301"},
        {kShortLabelForm, [] { Draw("Overprinted", 10, 150); Draw("Informations", 40, 152); }, "overlaps"},
        {kShortLabelForm, [] { Draw("Past the right side", 200, 180); }, "\"Past the right side\" is cut"},
        {kShortLabelForm, [] { Draw("One", 10, 150); Draw("Two", 10, 180); Draw("One", 10, 150); }, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> faults = FaultsOf(c.form, c.draw);
        if (c.fault[0] == '\0') {
            EXPECT_TRUE(faults.empty()) << faults.front();
            continue;
        }
        ASSERT_FALSE(faults.empty()) << c.fault;
        EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, FormTour,
                         ::testing::Values(TourScreen{240, 320, 96}, TourScreen{480, 640, 192}),
                         [](const ::testing::TestParamInfo<TourScreen>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
