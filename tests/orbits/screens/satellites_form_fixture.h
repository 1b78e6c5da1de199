// The satellites assistant (2800) over the running program: a satellite
// database of verification element sets (Vallado et al. 2006, SGP4-VER.TLE,
// through tests/reference/sgp4_verification_sets.csv) in the program folder,
// the form opened from the menu, read from its state, controls and boxes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "orbits/satellite_form_state.h"
#include "orbits/screens/satellites_form.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "support/aged_satellite_sets.h"
#include "support/program_fixture.h"
#include "support/verification_sets.h"
#include "ui/control_access.h"
#include "ui/forms.h"

class SatellitesFormTest : public ProgramTest {
protected:
    void TearDown() override {
        QuitProgram();
        ResetSatellitesForm();
        ResetCatalogState();
    }

    // The satellites (name line, verification set) as "data\zendavori_satellites.ppc".
    void WriteSatellites(const std::vector<std::pair<std::string, int>>& satellites) {
        WriteElementSets(NamedVerificationSets(satellites));
    }
    void WriteElementSets(const std::vector<NamedElementSet>& sets) {
        std::vector<record_writer::Bytes> records;
        for (const NamedElementSet& set : sets)
            records.push_back(record_writer::SatelliteBytes(set.name, set.line1, set.line2));
        const record_writer::Bytes bytes = record_writer::RecordDbBytes(1, 213, records);
        std::ofstream out(folder.path() / "data" / "zendavori_satellites.ppc", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Starts the program on a local time of 2024-03-05 21:10:00 with the form
    // state of a program start.
    void Start() {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetSatellitesForm();
        ASSERT_TRUE(StartProgram());
    }

    // The form from the menu command 1032.
    void Open() {
        MainCommand(1032);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2813), nullptr);
    }

    // The form's date and time (local), before it opens or while it is open.
    static void SetFormTime(int year, int month, int day, int hour, int minute) {
        SatelliteFormState& s = satelliteFormState;
        s.year = year, s.month = month, s.day = day, s.hour = hour, s.minute = minute, s.second = 0;
    }

    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    bool Visible(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    void TapRow(int list, int row) { Tap(RowCentre(pl::GetDlgItem(form, list), row)); }
    // A popup's row chosen as a tap on the trigger and then on the row would.
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        TapRow(list, row);
    }
    void ChooseView(int view) { Choose(2802, 2803, view); }

    pl::Hwnd form = nullptr;
};
