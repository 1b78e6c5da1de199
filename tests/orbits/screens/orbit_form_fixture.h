// The orbit assistant (2550) over the running program: a comet database
// written by the catalogue's record writer into the program folder, the form
// opened from the menu, read from its state, fields and boxes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/date_text.h"
#include "core/shared_state.h"
#include "orbits/comet_db_fixture.h"
#include "orbits/orbit_assistant_state.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/popup_list.h"
#include "ui/forms.h"

class OrbitFormTest : public ProgramTest {
protected:
    void TearDown() override {
        QuitProgram();
        ResetOrbitAssistantForm();
        ResetCatalogState();
    }

    std::filesystem::path CometFile() const { return folder.path() / "data" / "zendavori_comet.ppc"; }

    // The records as "data\zendavori_comet.ppc".
    void WriteComets(const std::vector<CometRecord>& comets) {
        std::vector<record_writer::Bytes> records;
        for (const CometRecord& c : comets) records.push_back(record_writer::CometBytes(c));
        const record_writer::Bytes bytes = record_writer::RecordDbBytes(1, 128, records);
        std::filesystem::create_directories(folder.path() / "data");
        std::ofstream out(CometFile(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<char> CometFileBytes() const {
        std::ifstream in(CometFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Starts the program at a local time with the form state of a program start.
    void Start(int year = 2006, int month = 12, int day = 28, int hour = 21, int minute = 0) {
        harness.setLocalTime(pl::LocalTime{year, month, day, hour, minute, 0});
        ResetCatalogState();
        ResetOrbitAssistantForm();
        ASSERT_TRUE(StartProgram());
    }

    // The form from the menu command 1028.
    void Open() {
        MainCommand(1028);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2547), nullptr);
    }

    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    // What a popup trigger shows: its label, else its list's selected row.
    std::string PopupText(int trigger) const {
        const PopupRecord* p = RecordOf<PopupRecord>(pl::GetDlgItem(form, trigger));
        if (!p) return "";
        if (p->label[0] != '\0') return p->label;
        return p->selection >= 0 ? pl::ListViewGetItemText(p->list, p->selection) : "";
    }
    bool Visible(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    void TapRow(int list, int row) { Tap(RowCentre(pl::GetDlgItem(form, list), row)); }
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        TapRow(list, row);
    }
    void ChooseView(int view) { Choose(2551, 2552, view); }

    // The date text the form shows for a date.
    static std::string DateText(int year, int month, int day) {
        char text[32];
        FormatDate(text, sizeof text, day, month, year);
        return text;
    }

    pl::Hwnd form = nullptr;
};
