// The observing-list screens (finder 2350, criteria 1700, list 1800) in the
// running program: 5 March 2024 21:10 by the device clock at 51 N 0 E, zone
// 0, with the object file of the shared fixture records (NGC 224 at record
// 89, NGC 6705 among them), a Tycho star 4660-123-1, two eyepieces and one
// comet. The local sidereal time then is 8 h 06.4 min (Meeus, Astronomical
// Algorithms, eq. 12.4).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/finder_form.h"
#include "objects/finder_open.h"
#include "objects/object_selection.h"
#include "objects/observing_list_form.h"
#include "objects/selected_object.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "scope/meade_simulation.h"
#include "support/jpeg_file.h"
#include "support/list_entries.h"
#include "support/object_file_fixture.h"
#include "support/program_fixture.h"
#include "support/test_site.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"

namespace list_screens_test {

inline void WriteFile(const std::filesystem::path& path, const record_writer::Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The shared records as the small object file; a Tycho catalogue with star
// 4660-123-1 (record number 466000123) and its index; eyepieces; one comet.
inline void WriteCatalogues(const std::filesystem::path& home) {
    std::vector<record_writer::Bytes> objects;
    for (const ObjectRecord& o : fixture::SharedObjectRecords()) objects.push_back(record_writer::ObjectBytes(o));
    WriteFile(home / "data" / "zendavori_obj_1k.ppc", record_writer::RecordDbBytes(26, 64, objects));
    record_writer::PackedStarFile star{466000123, {1, 0, 0}, {20, 0, 0}, 0, 0};
    WriteFile(home / "data" / "zendavori_tycho_2500k.ppc",
              record_writer::RecordDbBytes(1, 504, {record_writer::StellarRecordBytes({star}, 42)}));
    WriteFile(home / "data" / "zendavori_tycho_idx.ppc",
              record_writer::RecordDbBytes(
                  1, 8, std::vector<record_writer::Bytes>(9537, record_writer::TychoIndexBytes(19.0f, 21.0f))));
    WriteFile(home / "data" / "zendavori_eyepiece.ppc",
              record_writer::RecordDbBytes(1, 72, {record_writer::EyepieceBytes("TVPL", "Plossl 25mm", 25.0f, 52),
                                                   record_writer::EyepieceBytes("TVNG", "Nagler 9mm", 9.0f, 82)}));
    CometRecord comet{};
    std::strcpy(comet.name, "C/2023 A3");
    comet.kind = 13, comet.year = 2024, comet.month = 9, comet.day = 27.7f, comet.perihelionDistance = 0.39f;
    comet.eccentricity = 1.0f, comet.argPerihelion = 308.5f, comet.node = 21.6f, comet.inclination = 139.1f;
    comet.absoluteMagnitude = 6.0f, comet.slope = 10.0f;
    WriteFile(home / "data" / "zendavori_comet.ppc", record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(comet)}));
}

// Three bright stars in the default stars (Polaris, HR 424, at entry 1;
// Sirius, HR 2491, at 2; Vega, HR 7001, at 3; places J2000 from the Bright
// Star Catalogue, 5th revised edition) and their names, in name order and in
// HR order (the same order here).
inline void WriteBrightStars(const std::filesystem::path& home) {
    std::vector<record_writer::Bytes> stars(1646, record_writer::StarBytes({}));
    stars[1] = record_writer::StarBytes({424, 84, 2.530301f, 89.264109f, 32, 6, 1, 'a', 0});
    stars[2] = record_writer::StarBytes({2491, 20, 6.752481f, -16.716116f, -23, 0, 9, 'a', 0});
    stars[3] = record_writer::StarBytes({7001, 52, 18.615649f, 38.783689f, 0, 0, 3, 'a', 0});
    WriteFile(home / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, stars));
    std::vector<record_writer::Bytes> names;
    for (int pass = 0; pass < 2; ++pass)
        for (auto [name, star] : {std::pair{"Polaris", 1}, std::pair{"Sirius", 2}, std::pair{"Vega", 3}})
            names.push_back(record_writer::BrightStarNameBytes(name, static_cast<int16_t>(star)));
    WriteFile(home / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, names));
}

// Cross references, sorted by key: Polaris with three alternative
// designations (HIP 11767, SAO 308, TYC 4628-237-1), Vega with two (HIP
// 91262, SAO 67174), NGC 224 named "Andromeda Galaxy"; NGC 224's Dreyer
// description "!!!,eB,eL,vmE".
inline void WriteCrossReferences(const std::filesystem::path& home) {
    const record_writer::CrossRef polaris{28, {26, 51, 60}, 424, {11767, 308, 462800237}, "Polaris*"};
    const record_writer::CrossRef vega{28, {26, 51, 0}, 7001, {91262, 67174, 0}, "Vega*"};
    const record_writer::CrossRef m31{42, {40, 0, 0}, 224, {31, 0, 0}, "Andromeda Galaxy*"};
    WriteFile(home / "data" / "zendavori_obj_cross_ref.ppc",
              record_writer::RecordDbBytes(1, 48,
                                           {record_writer::CrossRefBytes({}, 48), record_writer::CrossRefBytes(polaris, 48),
                                            record_writer::CrossRefBytes(vega, 48), record_writer::CrossRefBytes(m31, 48)}));
    WriteFile(home / "data" / "zendavori_obj_18k_desc.ppc",
              record_writer::RecordDbBytes(1, 72, {record_writer::DescriptionBytes(0, 0, "", 72),
                                                   record_writer::DescriptionBytes(42, 224, "!!!,eB,eL,vmE", 72)}));
}

// The simulated mount's place once it has stopped moving.
inline std::pair<double, double> MountRestsAt() {
    double ra = 0.0, dec = 0.0;
    for (int i = 0; i < 400; ++i) SimulatedMeadeQuery(&ra, &dec);
    return {ra, dec};
}

constexpr double kPi = 3.14159265358979323846;

// Mean place of J2000 precessed to a Julian day by the rigorous formulas of
// Meeus, Astronomical Algorithms (1998), eq. 21.2 and 21.4 (hours, degrees).
inline std::pair<double, double> Precessed(double raHours, double decDegrees, double jd) {
    const double t = (jd - 2451545.0) / 36525.0, arcsec = kPi / 180.0 / 3600.0;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * arcsec;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * arcsec;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * arcsec;
    const double a = raHours * 15.0 * kPi / 180.0, d = decDegrees * kPi / 180.0;
    const double A = std::cos(d) * std::sin(a + zeta);
    const double B = std::cos(theta) * std::cos(d) * std::cos(a + zeta) - std::sin(theta) * std::sin(d);
    const double C = std::sin(theta) * std::cos(d) * std::cos(a + zeta) + std::cos(theta) * std::sin(d);
    const double ra = std::fmod(std::atan2(A, B) + z + 4.0 * kPi, 2.0 * kPi);
    return {ra * 12.0 / kPi, std::asin(C) * 180.0 / kPi};
}

// Angular distance in arcminutes of two places (hours, degrees).
inline double ArcminutesApart(std::pair<double, double> p, std::pair<double, double> q) {
    const double d1 = p.second * kPi / 180.0, d2 = q.second * kPi / 180.0;
    const double c = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos((p.first - q.first) * kPi / 12.0);
    return std::acos(std::min(1.0, c)) * 180.0 / kPi * 60.0;
}

class ListScreensTest : public ProgramTest {
protected:
    void Start(int width = 240, int height = 320, int dpi = 96) {
        WriteCatalogues(folder.path());
        ResetStarCatalog();  // the star files of this test's folder, not those of a test before
        harness.changeScreen(width, height, dpi);
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        harness.setShortDatePattern("dd/MM/yy");
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ReopenDatabases(1);
            SetTestSite(51.0, 0.0, 0);
            preferences.word[kPrefChartType] = 2;  // Whole Sky: every entry shown
            preferences.word[kPrefCardCatalog] = 6;
            selectionClassFilter = 0;
            finderPreselectKind = -1;
            ResetObservingListForm();
        });
    }
    void Start(const pl::ScreenInfo& s) { Start(s.width, s.height, s.dpi); }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    static std::string Text(int id) { return pl::GetWindowText(Item(id)); }
    static std::string Label(int trigger) {
        const PopupRecord* r = RecordOf<PopupRecord>(Item(trigger));
        return r ? r->label : "?";
    }
    static bool Visible(int id) { return pl::IsWindowVisible(Item(id)); }
    void Press(int id) { Tap(Centre(Item(id))); }
    // Row `row` of a popup chosen as a tap on it does.
    void Choose(int trigger, int list, int row) {
        Ui([trigger, list, row] {
            Set(list, row);
            pl::PostMessage(GetCurrentFormDialog(), pl::WM_COMMAND, pl::MakeWParam(trigger, list), 0);
        });
    }
    // Types `text` into a tap-to-edit field through the text input.
    void TypeInto(int field, const char* text) {
        Tap(Centre(Item(field)));
        pl::Hwnd input = pl::GetActiveWindow();
        Ui([input, text] { pl::SetDlgItemText(input, 137, text); });
        harness.tap(35, 207);  // Ok of the text input
    }
    // The list holds `entries`, none of them current.
    void Put(const std::vector<SelectionEntry>& entries) {
        Ui([&entries] {
            for (std::size_t i = 0; i < entries.size(); ++i) selectionList[i] = entries[i];
            selectionList[entries.size()].number = -1;
            selectionCount = static_cast<int>(entries.size());
            selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
            selectionCurrentRow = 0;
        });
    }
    // A full list ("Max Selected items" entries of IC objects); `last`, when
    // given, as its last entry.
    void PutFullList(const SelectionEntry* last = nullptr) {
        std::vector<SelectionEntry> full;
        for (int i = 0; i < GetSelectedItemsCapacity(); ++i)
            full.push_back(ListEntry("E", kDesignationIc, i, 16, 1.0f, 50.0f));
        if (last) full.back() = *last;
        Put(full);
    }
    // The current row's entry of the list, and the chart's selected row.
    static std::string CurrentName() {
        const int row = selectionCurrentRow;
        return row >= 0 && row < selectionShownCount ? selectionList[GetSelectionIndex(row)].name : "";
    }
    // `list(kind, number)` lists object "1" of catalogue 40 (Messier): an
    // object listed under another designation is made current, never listed
    // twice, the list full or not (it said "full", or added it again): M1 as
    // the criteria search lists it (Messier galaxies, the first 25) asked for
    // as M1 and NGC 1952; C14 listed by the same path as NGC 869. Form `listed`
    // opens on it, with no message.
    using ListPath = std::function<void(int kind, const char* number)>;
    void ExpectOneEntryUnderAnyName(const ListPath& list, int listed) {
        Ui([] { chartView = 2, RunObjectSelection(0, kDesignationMessier, 16); });
        AnswerAll();
        const int capacity = GetSelectedItemsCapacity();
        for (int count : {capacity, capacity - 1}) {
            Ui([] { RemoveSelectionEntry(1), selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount); });
            if (count == capacity) list(kDesignationNgc, "869");
            for (auto [kind, number, name] : {std::tuple{kDesignationMessier, "1", "M1"},
                                              std::tuple{kDesignationNgc, "1952", "M1"},
                                              std::tuple{kDesignationCaldwell, "14", "NGC869"}}) {
                list(kind, number);
                EXPECT_EQ(BoxText(), "") << number;
                EXPECT_EQ((std::vector{GetCurrentFormId(), selectionCount}), (std::vector{listed, count})) << number;
                EXPECT_EQ(CurrentName(), name);
            }
        }
    }
    // After ExpectOneEntryUnderAnyName: `list(40, "31")` lists M31 (form
    // `listed` then open); on a full list ending in M31 it makes that entry
    // current, no message and nothing replaced; `list(40, "42")` on a full
    // list without M42 gives the full-list message once, form `adding` stays
    // open and the list as it was.
    void ExpectFullListRule(const ListPath& list, int listed, int adding) {
        ExpectOneEntryUnderAnyName(list, listed);
        Ui([] { chartView = 2, selectionCount = selectionShownCount = 0; });
        list(kDesignationMessier, "31");
        ASSERT_EQ(GetCurrentFormId(), listed);
        ASSERT_EQ(Names(), "M31");
        const SelectionEntry m31 = selectionList[0];
        const int capacity = GetSelectedItemsCapacity();
        PutFullList(&m31);
        list(kDesignationMessier, "31");
        EXPECT_EQ(BoxCount(), 0);
        EXPECT_EQ(GetCurrentFormId(), listed);
        EXPECT_EQ((std::vector<int>{selectionCount, selectionCurrentRow}), (std::vector<int>{capacity, capacity - 1}));
        EXPECT_EQ(CurrentName(), "M31");
        EXPECT_STREQ(selectionList[capacity - 2].name, "E");
        if (listed == kSkyChartFormId) {
            EXPECT_EQ(chartState.chartSelectionIndex, capacity - 1);
        }
        PutFullList();
        list(kDesignationMessier, "42");
        EXPECT_EQ(BoxText(), "The observing list is full: raise Max Selected items or remove an entry.\n");
        Answer(pl::IDOK);
        EXPECT_EQ(BoxCount(), 0);
        EXPECT_EQ(GetCurrentFormId(), adding);
        EXPECT_EQ(selectionCount, capacity);
    }
    // M31's picture under the names the set-up gives it (its Messier name and
    // its NGC number), 64 x 48 pixels of kPictureColour.
    static constexpr uint32_t kPictureColour = 0xC83C28;
    void WriteM31Pictures() const {
        std::vector<unsigned char> pixels;
        for (int i = 0; i < 64 * 48; ++i) pixels.insert(pixels.end(), {0xC8, 0x3C, 0x28});
        for (const char* path : {"img/messier/M31.jpg", "img/ngc/NGC224.jpg"}) {
            std::filesystem::create_directories((folder.path() / path).parent_path());
            ASSERT_TRUE(WriteJpegFile((folder.path() / path).string(), 64, 48, pixels));
        }
    }
    // The picture viewer shows the picture at the screen's centre (not a blank
    // screen); a tap then closes it.
    bool PictureShownAndClosed() {
        const uint32_t p = harness.pixel(120, 160);
        auto near = [p](int shift) { return std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                                     static_cast<int>((kPictureColour >> shift) & 0xFF)) <= 12; };
        const bool shown = near(16) && near(8) && near(0);
        harness.tap(120, 160);
        return shown;
    }
    static std::string Names() {
        std::string s;
        for (int i = 0; i < selectionCount; ++i) s += std::string(i ? " " : "") + selectionList[i].name;
        return s;
    }
};

}  // namespace list_screens_test
