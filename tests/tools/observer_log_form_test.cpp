// The observer log form (2600) over the running program in a fresh program
// folder: browse, new, edit, delete and Memo through the buttons, the names
// and the cuts of saved entries, the values a new entry starts with, and the
// layouts of both screen sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/text_log.h"
#include "platform/focus.h"
#include "platform/window.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/designations.h"
#include "support/object_file_fixture.h"
#include "support/both_screens.h"
#include "support/folder_files.h"
#include "support/list_entries.h"
#include "support/reference_table.h"
#include "support/program_fixture.h"
#include "tools/observer_log.h"
#include "tools/observer_log_form.h"
#include "tools/observer_site.h"
#include "tools/edit_date_time.h"
#include "objects/current_object.h"
#include "objects/finder_form.h"
#include "objects/finder_open.h"
#include "platform/message_queue.h"
#include "objects/selected_object.h"
#include "support/jpeg_file.h"
#include "core/sky_brightness.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"

namespace {

namespace fs = std::filesystem;

class ObserverLogForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2006, 3, 14, 23, 47, 0});
        ResetCatalogState();
        ResetObserverLog();
        ASSERT_TRUE(StartProgram());
        Ui([] {
            SetObserverSite(0.0, 51.0, 0);
            ClearSelectedObject();  // no worked object left by an earlier test
            SetCurrentSelectionRow(-1);
        });
        Open();
    }
    void TearDown() override { Ui([] { ResetObserverLog(); }); }
    void Open() {
        MainCommand(1023);
        form = GetCurrentFormDialog();
        ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
    }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    bool Shown(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void Type(int id, const std::string& text) {
        Ui([this, id, text] { pl::SetDlgItemText(form, id, text); });
    }
    fs::path Logs() const { return folder.path() / "userlogs"; }
    std::vector<std::string> Files() const { return FolderFileNames(Logs()); }
    // A new entry named `name`, saved.
    void SaveNew(const std::string& name) {
        Press(kLogNew);
        Type(kLogObjectField, name);
        Press(kLogSave);
    }
    pl::Hwnd form = nullptr;
};

// An entry file written by hand: magic, name at 8, the date, codes outside
// their popups' rows, the comments.
void PutEntry(const fs::path& file, const std::string& name, uint32_t magic = 123456789) {
    std::vector<char> b(456, 0);
    for (int k = 0; k < 4; ++k) b[static_cast<std::size_t>(k)] = static_cast<char>(magic >> (8 * k));
    std::copy(name.begin(), name.end(), b.begin() + 8);
    const int date[] = {2005, 11, 2, 21, 30};
    for (int i = 0; i < 5; ++i) b[28 + 4 * static_cast<std::size_t>(i)] = static_cast<char>(date[i] & 0xFF);
    b[29] = static_cast<char>(2005 >> 8);
    b[80] = 7;    // transparency outside its three rows
    b[444] = 99;  // an eyepiece the database does not have
    const std::string comments = "Seen at last";
    std::copy(comments.begin(), comments.end(), b.begin() + 153);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
}

TEST_F(ObserverLogForm, BrowseAndEntryScreens) {
    EXPECT_TRUE(Shown(kObserverLogList));
    EXPECT_FALSE(Shown(kLogSave));
    Shot("observer_log_browse.png");
    Press(kLogNew);
    EXPECT_FALSE(Shown(kObserverLogList));
    EXPECT_TRUE(Shown(kLogSave));
    Shot("observer_log_entry.png");
}

TEST_F(ObserverLogForm, EmptyFolder) {
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, kObserverLogList)), 0);
    Press(kLogMemo);
    EXPECT_EQ(BoxText(), "Nothing to export.\n");
    Answer(pl::IDOK);
    Press(kLogEdit);
    EXPECT_EQ(BoxText(), "Please select an observation log.\n");
    Answer(pl::IDOK);
    EXPECT_TRUE(Shown(kObserverLogList));
    EXPECT_EQ(BoxCount(), 0);
    FormCommand(pl::IDOK);  // the hardware OK key is Back in browse mode
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
}

TEST_F(ObserverLogForm, HelpOfEachMode) {
    const std::string first = "\x95 Use this assistant to take notes during your observation session.\n\n";
    Press(kLogHelp);
    EXPECT_EQ(BoxText(), first + "\x95 You can create, edit or delete your observation logs.");
    Answer(pl::IDOK);
    Press(kLogNew);
    Press(kLogHelp);
    EXPECT_EQ(BoxText(), first + "\x95 You can add your own shots to each note. Just press on the binocular to get "
                                 "the name and the location the file to follow.");
    Answer(pl::IDOK);
}

// A new entry at 2006 March 14, 23:47 at 51 N 0 zone 0 (full Moon at 23:35 UT;
// the Sun 41.06 degrees below the horizon by PyEphem): its fields and the
// values drawn beside them.
TEST_F(ObserverLogForm, NewEntryIsPrefilled) {
    Press(kLogNew);
    EXPECT_EQ(Text(kLogDateField), "14/03/2006");
    EXPECT_EQ(Text(kLogTimeField), "23:47");
    EXPECT_EQ(Text(kLogFilterField), "None");
    EXPECT_EQ(Text(kLogScopeField), std::to_string(GetScopeApertureMm()) + "mm");
    EXPECT_EQ(Text(kLogObjectField), "");
    SkyBrightnessRecord sky{};
    Ui([&] { ComputeLimitingMagnitude(&sky, 2006, 3, 14, 23, 47); });
    char limit[16];
    std::snprintf(limit, sizeof limit, "%.1f", static_cast<int>(sky.limitingMagnitude * 10) / 10.0);
    EXPECT_EQ(Text(kLogVisualLimitField), limit);
    // The Moon's picture is drawn at (193, 65) and the Sun's at (200, 90).
    const uint32_t background = harness.pixel(230, 110);
    int moonInk = 0, sunInk = 0;
    for (int y = 66; y < 79; ++y)
        for (int x = 194; x < 207; ++x) moonInk += harness.pixel(x, y) != background;
    for (int y = 84; y < 96; ++y)
        for (int x = 194; x < 206; ++x) sunInk += harness.pixel(x, y) != background;
    EXPECT_GT(moonInk, 60);
    EXPECT_GT(sunInk, 20);
}

TEST_F(ObserverLogForm, SavedNamesAndTheirCuts) {
    Press(kLogNew);
    Type(kLogObjectField, std::string(25, 'N'));
    Type(kLogLocationField, std::string(40, 'L'));
    Type(kLogFilterField, std::string(20, 'F'));
    Type(kLogScopeField, std::string(25, 'S'));
    Type(kLogCommentsField, std::string(300, 'C'));
    Press(kLogSave);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_TRUE(Shown(kObserverLogList));
    ASSERT_EQ(Files(), std::vector<std::string>{std::string(19, 'N') + ".log"});
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 0));
    Press(kLogEdit);
    ASSERT_TRUE(Shown(kLogSave));
    EXPECT_EQ(Text(kLogObjectField), std::string(19, 'N'));
    EXPECT_EQ(Text(kLogLocationField), std::string(29, 'L'));
    EXPECT_EQ(Text(kLogFilterField), std::string(14, 'F'));
    EXPECT_EQ(Text(kLogScopeField), std::string(19, 'S'));
    EXPECT_EQ(Text(kLogCommentsField), std::string(287, 'C'));
}

// An edited entry saved under another name leaves only the new file; Delete
// acts at once, without a question.
TEST_F(ObserverLogForm, EditAndDelete) {
    SaveNew("M 31");
    SaveNew("Vega");
    Shot("observer_log_list.png");
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 0));
    Press(kLogEdit);
    EXPECT_EQ(Text(kLogDateField), "14/03/2006");
    Type(kLogObjectField, "M31");
    Type(kLogCommentsField, "as M31");
    Press(kLogSave);
    EXPECT_EQ(Files(), (std::vector<std::string>{"M31.log", "Vega.log"}));
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 0));
    Press(kLogEdit);
    EXPECT_EQ(Text(kLogCommentsField), "as M31");
    Press(kLogCancel);
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 1));
    Press(kLogDelete);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(Files(), std::vector<std::string>{"M31.log"});
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, kObserverLogList)), 1);
}

// A second entry for Jupiter is kept beside the first: after the program
// quit, the log read afresh lists both and reads them back whole, the first
// file as it was written.
TEST_F(ObserverLogForm, SecondEntryOfAnObjectKeepsTheFirst) {
    for (const char* comments : {"first night", "second night"}) {
        Press(kLogNew);
        Type(kLogObjectField, "Jupiter");
        Type(kLogCommentsField, comments);
        Press(kLogSave);
    }
    ASSERT_EQ(Files(), (std::vector<std::string>{"Jupiter.log", "Jupiter_2.log"}));
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, kObserverLogList)), 2);
    std::ifstream in(Logs() / "Jupiter.log", std::ios::binary);
    const std::string first((std::istreambuf_iterator<char>(in)), {});
    QuitProgram();
    ResetObserverLog();
    ListObserverLogs();
    ASSERT_EQ(observerLogState.names.Count(), 2);
    for (int row : {0, 1}) {
        ASSERT_TRUE(LoadObserverLogAt(row));
        EXPECT_EQ(std::string(observerLogState.record->name) + "|" + observerLogState.record->comments,
                  row == 0 ? "Jupiter|first night" : "Jupiter|second night");
    }
    std::ifstream again(Logs() / "Jupiter.log", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), first);
}

TEST_F(ObserverLogForm, DamagedFilesAreTold) {
    std::ofstream(Logs() / "a.log", std::ios::binary) << std::string(100, 'x');
    PutEntry(Logs() / "b.log", "b", 5);
    PutEntry(Logs() / "c.log", "c");
    Press(kLogNew);
    Press(kLogCancel);  // lists the folder again
    const std::string path = "userlogs\\";  // the files named from the program folder
    const struct {
        int row;
        std::string box;
    } cases[] = {{0, "Fail to read log file.\n" + path + "a.log"}, {1, "It seems your log data are corrupted.\n"}};
    for (const auto& c : cases) {
        Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), c.row));
        Press(kLogEdit);
        EXPECT_EQ(BoxText(), c.box);
        Answer(pl::IDOK);
        EXPECT_TRUE(Shown(kObserverLogList));
    }
    // The good entry opens on its own date and comments.
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 2));
    Press(kLogEdit);
    EXPECT_EQ(Text(kLogDateField), "02/11/2005");
    EXPECT_EQ(Text(kLogTimeField), "21:30");
    EXPECT_EQ(Text(kLogCommentsField), "Seen at last");
    EXPECT_EQ(Get(kLogTransparencyList), 0);
    EXPECT_EQ(Get(kLogEyepieceList), 0);
    // Memo: the damaged entries are told, the good one exported.
    Press(kLogCancel);
    Press(kLogMemo);
    EXPECT_EQ(BoxText(), "Do you want to export your Observer Logs to a text file ?\n");
    Answer(pl::IDYES);
    std::vector<std::string> boxes;
    for (int i = 0; i < 4 && BoxCount() > 0; ++i) {
        boxes.push_back(BoxText());
        Answer(pl::IDOK);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{"Fail to read log file.\n" + path + "a.log",
                                               "It seems your log data are corrupted.\n" + path + "b.log",
                                               "1 Observer log exported.\n" + path + "logs_3.txt"}));
    EXPECT_TRUE(fs::exists(Logs() / "logs_3.txt"));
}

// A save that fails, or a visual limit that is no number, is told once and
// keeps the form on the entry with what was typed.
TEST_F(ObserverLogForm, FailedSaveKeepsTheEntry) {
    Press(kLogNew);
    Type(kLogObjectField, "M 31");
    Type(kLogCommentsField, "typed");
    pl::FailWritesAfter(10);
    Press(kLogSave);
    EXPECT_EQ(BoxText(), "Fail to write log file.\nuserlogs\\M 31.log");
    Answer(pl::IDOK);
    pl::FailWritesAfter(-1);
    Type(kLogVisualLimitField, "abc");
    Press(kLogSave);
    EXPECT_EQ(BoxCount(), 1);
    Answer(pl::IDOK);
    EXPECT_TRUE(Shown(kLogSave));
    EXPECT_EQ(Text(kLogCommentsField), "typed");
    EXPECT_TRUE(Files().empty());
    Type(kLogVisualLimitField, "6.3");
    Press(kLogSave);
    EXPECT_EQ(Files(), std::vector<std::string>{"M 31.log"});
}

// Transparency, seeing, eyepiece, filter and visual limit saved are what the
// next new entry starts with.
TEST_F(ObserverLogForm, SavedChoicesAreRemembered) {
    Press(kLogNew);
    Ui([] {
        SetPopupList(kLogTransparencyTrigger, kLogTransparencyList, 2);
        SetPopupList(kLogSeeingTrigger, kLogSeeingList, 1);
    });
    Type(kLogFilterField, "OIII");
    Type(kLogVisualLimitField, "5.8");
    Type(kLogObjectField, "NGC 7000");
    Press(kLogSave);
    Press(kLogNew);
    EXPECT_EQ(Text(kLogFilterField), "OIII");
    EXPECT_EQ(Text(kLogVisualLimitField), "5.8");
    EXPECT_EQ(Get(kLogTransparencyList), 2);
    EXPECT_EQ(Get(kLogSeeingList), 1);
}

// Opened by another form on a new entry: save and cancel go back to it.
TEST_F(ObserverLogForm, NewEntryFromAnotherFormGoesBack) {
    for (int button : {kLogSave, kLogCancel}) {
        Press(kLogBack);
        ASSERT_EQ(GetCurrentFormId(), kHomeFormId);
        Ui([] { OpenObserverLogNewEntry(); });
        ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
        form = GetCurrentFormDialog();
        EXPECT_TRUE(Shown(kLogSave));
        Type(kLogObjectField, "Orion");
        Press(button);
        EXPECT_EQ(GetCurrentFormId(), kHomeFormId) << button;
        EXPECT_EQ(observerLogState.mode, kLogBrowse);
        EXPECT_EQ(observerLogState.returnAfterSave, 0);
        Open();
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"Orion.log"});
}

// The menu opens the form in the mode it was left in.
TEST_F(ObserverLogForm, ModeSurvivesReopening) {
    Press(kLogNew);
    MainCommand(1011);
    Open();
    EXPECT_TRUE(Shown(kLogSave));
    EXPECT_FALSE(Shown(kObserverLogList));
    Ui([] { observerLogState.mode = 5; });
    Press(kLogNow);
    EXPECT_EQ(BoxText(), "ObsLog Unknown action\n");
    Answer(pl::IDOK);
}

// The date or time field opens the date and time form on the entry's date;
// "Ok" lays the entry out for the new hour; "now" takes the device clock.
TEST_F(ObserverLogForm, DateTimeAndNow) {
    Press(kLogNew);
    Press(kLogTimeField);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeOk), nullptr);
    Ui([dialog] { pl::SetDlgItemText(dialog, kHourField, "12"); });
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_FALSE(pl::IsWindow(dialog));
    EXPECT_EQ(Text(kLogTimeField), "12:47");
    EXPECT_EQ(observerLogState.record->sunAltitude, 36);  // 35.93 degrees by PyEphem at 12:47 UT, rounded
    harness.setLocalTime(pl::LocalTime{2007, 8, 28, 10, 52, 0});
    Press(kLogNow);
    EXPECT_EQ(Text(kLogDateField), "28/08/2007");
    EXPECT_EQ(Text(kLogTimeField), "10:52");
}

// Cancel on the date and time form leaves the entry as it was: what was
// typed into a new or an edited entry stays (a layout would rebuild it).
TEST_F(ObserverLogForm, CancelledDateKeepsWhatWasTyped) {
    SaveNew("Vega");
    for (int button : {kLogNew, kLogEdit}) {
        Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 0));
        Press(button);
        Type(kLogObjectField, "Typed name");
        Type(kLogCommentsField, "Typed comments");
        Press(kLogDateField);
        pl::Hwnd dialog = pl::GetActiveWindow();
        ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeCancel), nullptr) << button;
        Tap(Centre(pl::GetDlgItem(dialog, kDateTimeCancel)));
        EXPECT_EQ(Text(kLogObjectField) + "|" + Text(kLogCommentsField), "Typed name|Typed comments") << button;
        Press(kLogCancel);
    }
}

// The text input of each field: its title, and at most 71 characters of a
// one-line field.
TEST_F(ObserverLogForm, TextInputOfTheFields) {
    Press(kLogNew);
    const struct {
        int field;
        const char* title;
    } cases[] = {{kLogLocationField, "Location"}, {kLogFilterField, "Filter"}, {kLogScopeField, "Scope"},
                 {kLogObjectField, "Object/Event"}, {kLogVisualLimitField, "Visual Limit"}};
    for (const auto& c : cases) {
        Press(c.field);
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, form) << c.title;
        EXPECT_EQ(pl::GetDlgItemText(input, 136), c.title);
        Tap(Centre(pl::GetDlgItem(input, 2)));  // Cancel
        EXPECT_FALSE(pl::IsWindow(input));
    }
    Type(kLogLocationField, "");
    Press(kLogLocationField);
    pl::Hwnd input = pl::GetActiveWindow();
    harness.typeText(std::string(80, 'x'));
    Tap(Centre(pl::GetDlgItem(input, 1)));
    EXPECT_EQ(Text(kLogLocationField), std::string(71, 'x'));
}

// The picture of the entry: a name is needed, a missing file is named, a
// file in "shots" is shown in the picture viewer; the finder opens on its way
// back to this form.
TEST_F(ObserverLogForm, FinderAndPicture) {
    Press(kLogNew);
    Press(kLogPicture);
    EXPECT_EQ(BoxText(), "You should type an object (or event) name\n");
    Answer(pl::IDOK);
    Type(kLogObjectField, "M 42, Orion");
    Press(kLogPicture);
    EXPECT_EQ(BoxText(), "20060314M 42.jpg\nfile should be stored in shots/ folder to be linked to this "
                         "observation log.");
    Answer(pl::IDOK);
    fs::create_directories(folder.path() / "shots");
    ASSERT_TRUE(WriteJpegFile((folder.path() / "shots" / "20060314M 42.jpg").string(), 16, 16,
                              std::vector<unsigned char>(16 * 16 * 3, 200)));
    Press(kLogPicture);
    pl::Hwnd viewer = pl::GetActiveWindow();
    EXPECT_NE(viewer, form);
    EXPECT_EQ(BoxCount(), 0);
    harness.tap(120, 160);
    EXPECT_FALSE(pl::IsWindow(viewer));
    EXPECT_TRUE(Shown(kLogSave));
    Press(kLogFinder);
    EXPECT_EQ(finderReturnForm, kObserverLogForm);
    AnswerAll();
}

// On a screen wider and taller than 240 x 320 the list and the comments
// grow, the bottom buttons move down and the right-hand ones right.
TEST_F(ObserverLogForm, FollowsTheScreenSize) {
    auto rect = [this](int id) {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(form, id), &r);
        return r;
    };
    const pl::Rect list = rect(kObserverLogList), memo = rect(kLogMemo), back = rect(kLogBack), help = rect(kLogHelp);
    const pl::Rect comments = rect(kLogCommentsField), save = rect(kLogSave);
    Press(kLogBack);
    harness.changeScreen(300, 400, 96);
    Open();
    EXPECT_EQ(rect(kObserverLogList).Width() - list.Width(), 60);
    EXPECT_EQ(rect(kObserverLogList).Height() - list.Height(), 80);
    EXPECT_EQ(rect(kLogCommentsField).Height() - comments.Height(), 80);
    EXPECT_EQ(rect(kLogMemo).left - memo.left, 60);
    EXPECT_EQ(rect(kLogMemo).top - memo.top, 80);
    EXPECT_EQ(rect(kLogSave).left - save.left, 60);
    EXPECT_EQ(rect(kLogBack).left - back.left, 0);
    EXPECT_EQ(rect(kLogBack).top - back.top, 80);
    EXPECT_EQ(rect(kLogHelp).left - help.left, 60);
    EXPECT_EQ(rect(kLogHelp).top - help.top, 0);
}

class ObserverLogLarge : public ObserverLogForm {
protected:
    void SetUp() override {
        harness.changeScreen(480, 640, 192);
        ResetScreenScale();
        ObserverLogForm::SetUp();
    }
    void TearDown() override {
        ObserverLogForm::TearDown();
        ResetScreenScale();
    }
};

TEST_F(ObserverLogLarge, Screens) {
    Shot("observer_log_browse_large.png");
    Press(kLogNew);
    Shot("observer_log_entry_large.png");
}

// A place of the catalogues the log's tests write: right ascension (hours),
// declination (degrees).
struct CataloguePlace {
    int number;
    float ra, dec;
};
// M 42 (NGC 1976) and NGC 7000, bright nebulae of magnitude 4.0 (NGC 2000.0,
// Sinnott 1988); Vega, HR 7001, of magnitude 0.0 (Bright Star Catalogue, 5th
// revised edition); places J2000.
constexpr CataloguePlace kM42{1976, 5.588139f, -5.391111f}, kNgc7000{7000, 20.979722f, 44.33f},
    kVega{7001, 18.615649f, 38.783689f};
constexpr int kBrightNebula = 20, kStar = 30, kPlanet = 27;

void WriteData(const fs::path& file, const record_writer::Bytes& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The shared object records with M 42 and NGC 7000 at their places, Vega the
// one bright star, two eyepieces.
void WriteLogCatalogues(const fs::path& data) {
    std::vector<record_writer::Bytes> objects;
    for (ObjectRecord o : fixture::SharedObjectRecords()) {
        for (const CataloguePlace& c : {kM42, kNgc7000})
            if (o.designationId == kDesignationNgc && o.number == c.number)
                o.rightAscension = c.ra, o.declination = c.dec, o.objectType = kBrightNebula, o.magnitude = 4.0f;
        objects.push_back(record_writer::ObjectBytes(o));
    }
    WriteData(data / "zendavori_obj_1k.ppc", record_writer::RecordDbBytes(26, 64, objects));
    std::vector<record_writer::Bytes> stars(1646, record_writer::StarBytes({}));
    stars[1] = record_writer::StarBytes({static_cast<int16_t>(kVega.number), 52, kVega.ra, kVega.dec, 0, 0, 3, 'a', 0});
    WriteData(data / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, stars));
    const record_writer::Bytes vega = record_writer::BrightStarNameBytes("Vega", 1);
    WriteData(data / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, {vega, vega}));  // by name, by HR
    WriteData(data / "zendavori_eyepiece.ppc",
              record_writer::RecordDbBytes(1, 72, {record_writer::EyepieceBytes("TVPL", "Plossl 25mm", 25.0f, 52),
                                                   record_writer::EyepieceBytes("TVNG", "Nagler 9mm", 9.0f, 82)}));
}

// The entry's fields on both screens, with the catalogues of WriteLogCatalogues.
class ObserverLogScreens : public OnBothScreens<ObserverLogForm> {
protected:
    enum Way { kDateOk, kDateCancel, kNow, kPicture };
    void SetUp() override {
        WriteLogCatalogues(folder.path() / "data");
        ResetStarCatalog();  // the star files of this folder, not those of a test before
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();
        ObserverLogForm::SetUp();
        Ui([] { ReopenDatabases(1); });
    }
    void TearDown() override {
        ObserverLogForm::TearDown();
        ResetScreenScale();
    }
    // A new entry with every typed field and every popup filled.
    void NewEntry(const std::string& comments) {
        Press(kLogNew);
        for (auto [id, text] : {std::pair{kLogLocationField, "Dark site"}, {kLogVisualLimitField, "5.9"},
                                {kLogFilterField, "UHC"}, {kLogScopeField, "Dob 300"}, {kLogObjectField, "M 42"}})
            Type(id, text);
        Type(kLogCommentsField, comments);
        Ui([] {
            for (auto [trigger, list, row] : {std::tuple{kLogTransparencyTrigger, kLogTransparencyList, 2},
                                              {kLogSeeingTrigger, kLogSeeingList, 1},
                                              {kLogDifficultyTrigger, kLogDifficultyList, 2},
                                              {kLogBrightnessTrigger, kLogBrightnessList, 1},
                                              {kLogEyepieceTrigger, kLogEyepieceList, 2}})
                SetPopupList(trigger, list, row);
        });
    }
    // What the entry shows: its fields, then each popup's row.
    std::vector<std::string> Entry() const {
        std::vector<std::string> shown;
        for (int id : {kLogDateField, kLogTimeField, kLogLocationField, kLogVisualLimitField, kLogFilterField,
                       kLogScopeField, kLogObjectField, kLogCommentsField})
            shown.push_back(Text(id));
        for (int list : {kLogTransparencyList, kLogSeeingList, kLogDifficultyList, kLogBrightnessList, kLogEyepieceList})
            shown.push_back(std::to_string(Get(list)));
        return shown;
    }
    // The entry's date and time changed one way; the date form gets `hour`.
    void Change(Way way, const char* hour = "12") {
        if (way == kNow) {
            harness.setLocalTime(pl::LocalTime{2006, 3, 14, 12, 47, 0});
            Press(kLogNow);
            harness.setLocalTime(pl::LocalTime{2006, 3, 14, 23, 47, 0});
        } else if (way == kPicture) {
            fs::create_directories(folder.path() / "shots");
            ASSERT_TRUE(WriteJpegFile((folder.path() / "shots" / "20060314M 42.jpg").string(), 16, 16,
                                      std::vector<unsigned char>(16 * 16 * 3, 200)));
            Press(kLogPicture);
            const pl::Hwnd viewer = pl::GetActiveWindow();
            ASSERT_NE(viewer, form);
            Tap(Centre(viewer));
            ASSERT_FALSE(pl::IsWindow(viewer));
        } else {
            Press(kLogTimeField);
            const pl::Hwnd dialog = pl::GetActiveWindow();
            ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeOk), nullptr);
            Ui([dialog, hour] { pl::SetDlgItemText(dialog, kHourField, hour); });
            Tap(Centre(pl::GetDlgItem(dialog, way == kDateOk ? kDateTimeOk : kDateTimeCancel)));
        }
    }
    // The only saved entry, read from its file.
    ObserverLogRecord Stored(const char* file = "M 42.log") const {
        ObserverLogRecord r;
        std::ifstream in(Logs() / file, std::ios::binary);
        const std::string b((std::istreambuf_iterator<char>(in)), {});
        EXPECT_TRUE(DecodeObserverLogRecord(reinterpret_cast<const uint8_t*>(b.data()), b.size(), &r));
        return r;
    }
    // The form opened again on the device clock's 23:47, the folder emptied.
    void Reset() {
        if (Shown(kLogCancel)) Press(kLogCancel);
        Press(kLogBack);
        fs::remove_all(Logs());
        Open();
        ASSERT_TRUE(Shown(kObserverLogList));
    }
    void Reopen() {
        Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 0));
        Press(kLogEdit);
    }
};

// An entry at 23:47 with every field typed and every popup chosen, new or
// saved and then edited (its comments retyped): the date form's Ok with hour
// 12 and "now" at 12:47 give 12:47 and keep all of it, as the picture and the
// date form's Cancel keep 23:47. A new entry was laid out afresh, all typed
// text lost; an edited one went back to its stored date and texts. Saved and
// reopened: the same, the Moon per cent and Sun altitude of its time (PyEphem,
// scripts/reference/observer_log_sky_pyephem.py), the place of the typed
// "M 42" from the catalogue (it was saved with the current object's place).
TEST_P(ObserverLogScreens, DateChangeKeepsWhatWasTypedAndIsSaved) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "observer_log_sky_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 2u);  // 23:47, 12:47
    const struct {
        bool edited;
        Way way;
        int hour;
    } cases[] = {{false, kDateOk, 12}, {false, kNow, 12}, {false, kPicture, 23}, {false, kDateCancel, 23},
                 {true, kDateOk, 12},  {true, kNow, 12},  {true, kDateCancel, 23}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.edited) + " " + std::to_string(c.way));
        Reset();
        Ui([] { currentObject.rightAscension = 5.5f, currentObject.declination = -5.4f; });
        NewEntry(c.edited ? "first look" : "second look");
        if (c.edited) {
            Press(kLogSave);
            Ui([] { currentObject.rightAscension = 1.0f, currentObject.declination = 2.0f; });
            Reopen();
            Type(kLogCommentsField, "second look");
        }
        std::vector<std::string> expected = Entry();
        ASSERT_EQ(expected[1], "23:47");
        expected[1] = std::to_string(c.hour) + ":47";
        Change(c.way);
        EXPECT_EQ(Entry(), expected);
        Press(kLogSave);
        const ObserverLogRecord r = Stored();
        const std::size_t row = c.hour == 23 ? 0 : 1;
        EXPECT_EQ((std::vector<int>{r.hour, r.minute, r.sunAltitude, r.moonPercent}),
                  (std::vector<int>{c.hour, 47, static_cast<int>(std::lround(ref.Get(row, "sun_alt_deg"))),
                                    static_cast<int>(ref.Get(row, "moon_percent"))}));
        EXPECT_EQ((std::vector<float>{r.rightAscension, r.declination}), (std::vector<float>{kM42.ra, kM42.dec}));
        Reopen();
        EXPECT_EQ(Entry(), expected);
    }
}

// An entry at 12:47 (the date form) with every field typed and every popup
// chosen, new or saved and then edited, kept while its form is made anew:
// back from the finder with the Moon picked (row 1 of the finder's planets) or
// nothing found, and over a change to the other screen and back. Every field
// (an edited entry's comments as long as a stored entry's may be, past the
// 260 characters the input takes), popup and the date stay; a new entry takes the picked Moon's name and its
// place at 12:47 (PyEphem, scripts/reference/observer_log_sky_pyephem.py;
// 4.7 degrees from its place at the device clock's 23:47). The form was laid
// out afresh: a new entry rebuilt at 23:47 with all typed text lost, an edited
// one back at its stored date and texts.
TEST_P(ObserverLogScreens, FormMadeAnewKeepsTheEntryInProgress) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "observer_log_sky_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 2u);  // 23:47, 12:47
    enum Remade { kFinderMoon, kFinderNothing, kScreen };
    const struct {
        bool edited;
        Remade remade;
    } cases[] = {{false, kFinderMoon}, {false, kFinderNothing}, {false, kScreen}, {true, kFinderMoon}, {true, kScreen}};
    const pl::ScreenInfo other = GetParam().width == kBothScreens[0].width ? kBothScreens[1] : kBothScreens[0];
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.edited) + " " + std::to_string(c.remade));
        Reset();
        NewEntry(c.edited ? "first look" : "second look");
        if (c.edited) {
            Press(kLogSave);
            Reopen();
            Type(kLogCommentsField, std::string(287, 'c'));
        }
        Change(kDateOk);
        std::vector<std::string> expected = Entry();
        ASSERT_EQ(expected[1], "12:47");
        const bool moon = c.remade == kFinderMoon && !c.edited;
        if (moon) expected[6] = "Moon";
        for (const pl::ScreenInfo& screen : {other, GetParam()}) {
            if (c.remade == kScreen) {
                harness.changeScreen(screen.width, screen.height, screen.dpi);
            } else {
                Press(kLogFinder);
                ASSERT_EQ(GetCurrentFormId(), kFinderFormId);
                if (c.remade == kFinderMoon) {
                    for (auto [trigger, list, row] : {std::tuple{kFinderCatalogTrigger, kFinderCatalogList, 5},
                                                      {kFinderObjectTrigger, kFinderObjectList, 1}})
                        Ui([=] {
                            Set(list, row);
                            pl::PostMessage(GetCurrentFormDialog(), pl::WM_COMMAND, pl::MakeWParam(trigger, list), 0);
                        });
                }
                FormCommand(kFinderOk);
            }
            ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
            form = GetCurrentFormDialog();
            EXPECT_EQ(Entry(), expected);
            if (c.remade != kScreen) break;
        }
        Press(kLogSave);
        const ObserverLogRecord r = Stored(moon ? "Moon.log" : "M 42.log");
        EXPECT_EQ((std::vector<int>{r.hour, r.minute}), (std::vector<int>{12, 47}));
        if (moon) {
            EXPECT_LT(SeparationArcsec(r.rightAscension, r.declination, ref.Get(1, "moon_ra_h"),
                                       ref.Get(1, "moon_dec_deg")), 60.0);
        }
    }
}

// Memo answered Yes: the message, and the file it names read whole.
struct Exported {
    std::string message, text;
};

class ObserverLogExports : public ObserverLogScreens {
protected:
    Exported Export() {
        Press(kLogMemo);
        Answer(pl::IDYES);
        Exported e{BoxText(), ""};
        Answer(pl::IDOK);
        const std::size_t file = e.message.rfind("userlogs\\");
        if (file != std::string::npos) e.text = Read(e.message.substr(file + 9));
        return e;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Logs() / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    // Every file of the folder with its bytes.
    std::vector<std::pair<std::string, std::string>> Contents() const {
        std::vector<std::pair<std::string, std::string>> all;
        for (const std::string& name : Files()) all.emplace_back(name, Read(name));
        return all;
    }
    // The export's fields of the entry named `name`.
    static std::vector<std::string> LineOf(const std::string& text, const std::string& name) {
        std::vector<std::string> fields;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream in(line);
            fields.clear();
            for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
            if (fields.size() == 17 && fields[2] == name) return fields;
        }
        return {};
    }
};

// Three entries exported; one deleted and one added, exported again; a log of
// 100 more entries of 350 characters a line, in chunks, exported twice; then an
// export into a read-only folder (a folder in the way of the temporary file,
// as root writes into read-only folders): each earlier export stays
// byte-identical, each new one is whole under a free name that the message
// gives ("logs_3.txt" was written over, and the messages named no file), a
// chunk's name on the line below its count (a blank line stood between); the
// failure is told with the name and leaves nothing.
TEST_P(ObserverLogExports, ExportNeverReplacesAFile) {
    for (const char* name : {"Vega", "Deneb", "Altair"}) SaveNew(name);
    const Exported first = Export();
    EXPECT_EQ(first.message, "3 Observer logs exported.\nuserlogs\\logs_3.txt");
    Tap(RowCentre(pl::GetDlgItem(form, kObserverLogList), 1));  // Deneb
    Press(kLogDelete);
    SaveNew("Albireo");
    const auto before = Contents();
    const Exported second = Export();
    EXPECT_EQ(second.message, "3 Observer logs exported.\nuserlogs\\logs_3_2.txt");
    EXPECT_NE(second.text.find(";Albireo;"), std::string::npos);
    EXPECT_NE(first.text.find(";Deneb;"), std::string::npos);
    std::vector<std::pair<std::string, std::string>> expected = before;
    expected.emplace_back("logs_3_2.txt", second.text);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Contents(), expected);
    // 100 more entries: the chunks end before the entries at 45 and 88 of 103.
    for (int i = 0; i < 100; ++i) {
        const std::string name = "Entry " + std::to_string(100 + i);
        PutEntry(Logs() / (name + ".log"), name);
        std::fstream f(Logs() / (name + ".log"), std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(153);
        f << std::string(287, 'c');
    }
    Press(kLogNew);
    Press(kLogCancel);  // lists the folder again
    for (const char* suffix : {"", "_2"}) {
        const auto earlier = Contents();
        std::vector<std::string> boxes;
        Press(kLogMemo);
        Answer(pl::IDYES);
        for (int i = 0; i < 4 && BoxCount() > 0; ++i) {
            boxes.push_back(BoxText());
            Answer(pl::IDOK);
        }
        const std::string s = suffix;
        EXPECT_EQ(boxes, (std::vector<std::string>{
                             "45 Observer logs exported.\nuserlogs\\logs_45" + s + ".txt",
                             "88 Observer logs exported.\nuserlogs\\logs_88" + s + ".txt",
                             "103 Observer logs exported.\nuserlogs\\logs_103" + s + ".txt"}));
        for (const std::string n : {"45", "88", "103"}) {
            const std::string text = Read("logs_" + n + s + ".txt");
            EXPECT_EQ(text, s.empty() ? text : Read("logs_" + n + ".txt")) << n;  // the same entries, whole
            EXPECT_TRUE(text.size() > 4000 && text.back() == '\n') << n;
        }
        const auto now = Contents();
        EXPECT_EQ(now.size(), earlier.size() + 3);
        for (const auto& file : earlier) EXPECT_NE(std::find(now.begin(), now.end(), file), now.end()) << file.first;
    }
    const auto kept = Contents();
    fs::create_directory(Logs() / "logs_45.txt.tmp");
    fs::permissions(Logs(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    Press(kLogMemo);
    Answer(pl::IDYES);
    EXPECT_EQ(BoxText(), "Fail to write log file.\nuserlogs\\logs_45_3.txt");
    AnswerAll();
    fs::permissions(Logs(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove(Logs() / "logs_45.txt.tmp");
    EXPECT_EQ(Contents(), kept);
}

// Names typed over the prefilled one, with a list entry current (a globular
// cluster in Virgo, 12h00m -00 30', magnitude 5) or with nothing selected:
// each entry is saved and exported with its own name's place (the
// catalogue's; Jupiter's at 23:47 by PyEphem, of date,
// scripts/reference/observer_log_sky_pyephem.py), type, magnitude and
// constellation; "Meteor shower", which names no object, with none of them.
// The prefilled name kept keeps the list entry's values. (Typed names were
// saved with the worked object's values.)
TEST_P(ObserverLogExports, TypedNameIsSavedWithItsOwnObject) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "observer_log_sky_pyephem.csv");
    const struct {
        const char* name;
        double ra, dec;
        int type, magnitude;
        const char *typeName, *constellation;
    } cases[] = {
        {"M 42", kM42.ra, kM42.dec, kBrightNebula, 4, "Bright Nebula", "Orion"},
        {"M42", kM42.ra, kM42.dec, kBrightNebula, 4, "Bright Nebula", "Orion"},
        {"NGC 7000", kNgc7000.ra, kNgc7000.dec, kBrightNebula, 4, "Bright Nebula", "Cygnus"},
        {"Vega", kVega.ra, kVega.dec, kStar, 0, "Star", "Lyra"},
        {"Jupiter", ref.Get(0, "jupiter_ra_h"), ref.Get(0, "jupiter_dec_deg"), kPlanet,
         static_cast<int>(ref.Get(0, "jupiter_mag")), "Planet", "Libra"},
        {"Meteor shower", 0, 0, kLogNoObjectType, 0, " ", " "},
    };
    for (bool listed : {true, false}) {
        SCOPED_TRACE(listed);
        Reset();
        Ui([listed] {
            selectionList[0] = ListEntry("Virgo globular", kDesignationUser, 1, 2, 12.0f, -0.5f);
            selectionList[0].mag10 = 50;
            selectionList[1].number = -1;
            selectionCount = listed ? 1 : 0;
            selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
            SetCurrentSelectionRow(listed ? 0 : -1);
            currentObject.rightAscension = 1.0f, currentObject.declination = 2.0f;
        });
        for (const auto& c : cases) {
            Press(kLogNew);
            EXPECT_EQ(Text(kLogObjectField), listed ? "Virgo globular" : "");
            Type(kLogObjectField, c.name);
            Press(kLogSave);
        }
        if (listed) {
            Press(kLogNew);
            Press(kLogSave);
            const ObserverLogRecord r = Stored("Virgo globular.log");
            EXPECT_EQ((std::vector<double>{r.rightAscension, r.declination, 1.0 * r.objectType, 1.0 * r.objectMagnitude}),
                      (std::vector<double>{12.0, -0.5, 2, 5}));
        }
        const std::string text = Export().text;
        for (const auto& c : cases) {
            const ObserverLogRecord r = Stored((std::string(c.name) + ".log").c_str());
            EXPECT_EQ((std::vector<int>{r.objectType, r.objectMagnitude}), (std::vector<int>{c.type, c.magnitude}))
                << c.name;
            EXPECT_LT(SeparationArcsec(r.rightAscension, r.declination, c.ra, c.dec), 60.0) << c.name;
            const std::vector<std::string> line = LineOf(text, c.name);
            ASSERT_EQ(line.size(), 17u) << c.name;
            EXPECT_EQ((std::vector<std::string>{line[5], line[7]}), (std::vector<std::string>{c.typeName, c.constellation}))
                << c.name;
            const bool none = c.type == kLogNoObjectType;
            EXPECT_EQ((std::vector<bool>{line[3] == " ", line[4] == " ", line[6] == " "}), std::vector<bool>(3, none))
                << c.name;
        }
    }
}

// Typed names with a finder target set, each on a new entry: a
// designation in small letters was saved with no object; a blank name with
// the place of a bright star whose name is blank; Jupiter on an entry dated
// 1500, beyond its theory, with its place at the program's date (2006); and
// on an entry of 2006 while the program's date was 1500, with no object. Now
// each has its own object's values (Jupiter's at 23:47 by PyEphem,
// scripts/reference/observer_log_sky_pyephem.py), or none when it has no
// place at the entry's date. The finder target stays as it was.
TEST_P(ObserverLogExports, TypedNameTookNoObjectOrAnotherDatesPlace) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "observer_log_sky_pyephem.csv");
    const record_writer::Bytes vega = record_writer::BrightStarNameBytes("Vega", 1),
                               blank = record_writer::BrightStarNameBytes("", 1);
    WriteData(folder.path() / "data" / "zendavori_brightstar.ppc",
              record_writer::RecordDbBytes(1, 20, {blank, vega, vega, blank}));  // by name, by HR
    const struct {
        const char *typed, *file;
        int entryYear, programYear;
        double ra, dec;
        int type;
    } cases[] = {
        {"m42", "m42.log", 2006, 2006, kM42.ra, kM42.dec, kBrightNebula},
        {"ngc 7000", "ngc 7000.log", 2006, 2006, kNgc7000.ra, kNgc7000.dec, kBrightNebula},
        {" ", " .log", 2006, 2006, 0, 0, kLogNoObjectType},
        {"Jupiter", "Jupiter.log", 1500, 2006, 0, 0, kLogNoObjectType},
        {"JUPITER", "JUPITER_2.log", 2006, 1500, ref.Get(0, "jupiter_ra_h"), ref.Get(0, "jupiter_dec_deg"), kPlanet},
    };
    ObjectRecord target{};
    target.objectType = 6;
    target.rightAscension = 6.75f;
    SetObjectRecordName(&target, "Sirius B");
    Ui([&target] {
        ResetStarCatalog();  // two names now
        SetSelectedObject(&target, 0);
    });
    const DateTime program = currentDateTime;
    for (const auto& c : cases) {
        Press(kLogNew);
        harness.setLocalTime(pl::LocalTime{c.entryYear, 3, 14, 23, 47, 0});
        Press(kLogNow);
        harness.setLocalTime(pl::LocalTime{2006, 3, 14, 23, 47, 0});
        Ui([&c] { currentDateTime.year = c.programYear; });
        ASSERT_EQ(Text(kLogObjectField), "Sirius B");
        Type(kLogObjectField, c.typed);
        Press(kLogSave);
        Ui([program] { currentDateTime = program; });
        const ObserverLogRecord r = Stored(c.file);
        EXPECT_EQ(r.objectType, c.type) << c.typed;
        EXPECT_LT(SeparationArcsec(r.rightAscension, r.declination, c.ra, c.dec), 60.0) << c.typed;
        Ui([&c] {
            EXPECT_TRUE(IsObjectSelected() && std::string(selectedObject.name) == "Sirius B" &&
                        selectedObject.record.rightAscension == 6.75f)
                << c.typed;
        });
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ObserverLogExports, ::testing::ValuesIn(kBothScreens));

// A new entry at the minute of 2006-03-14's dusk when PyEphem has the Sun at
// -4.65 degrees at 51 N 0 E (log_sun_altitudes_pyephem.csv), on both screens:
// the form shows "-5\xB0", the entry stores -5 and the export writes "-5\xB0";
// all three were cut toward zero to -4.
TEST_P(ObserverLogScreens, SunAltitudeWasCutTowardZero) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "log_sun_altitudes_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 1u);
    const long expected = std::lround(ref.Get(0, "sun_alt_deg"));
    ASSERT_EQ(expected, -5);
    Press(kLogNew);
    Type(kLogObjectField, "Dusk");
    harness.setLocalTime(pl::LocalTime{int(ref.Get(0, "year")), int(ref.Get(0, "month")), int(ref.Get(0, "day")),
                                       int(ref.Get(0, "hour")), int(ref.Get(0, "minute")), 0});
    Ui([] { pl::StartTextLog(); });
    Press(kLogNow);
    std::vector<std::string> drawn;
    Ui([&drawn] {
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) drawn.push_back(run.text);
        pl::StopTextLog();
    });
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "-5\xB0"), drawn.end());
    Press(kLogSave);
    EXPECT_EQ(Stored("Dusk.log").sunAltitude, expected);
    Press(kLogMemo);
    Answer(pl::IDYES);
    AnswerAll();
    std::string exported;
    for (const std::string& name : Files())
        if (name.rfind("logs_", 0) == 0) {
            std::ifstream in(Logs() / name, std::ios::binary);
            exported.assign(std::istreambuf_iterator<char>(in), {});
        }
    EXPECT_NE(exported.find(";-5\xB0;"), std::string::npos) << exported;
}

// An entry of 2006-03-14 at 51 N 0 E saved with a Sun altitude and a Moon per
// cent that are not those its date and time give here (12 degrees and 42 %, as
// saved at another site; -4 at 18:27, PyEphem's -4.65 cut toward zero as older
// entries hold it), opened for editing on both screens: the form draws the
// saved values and a save keeps them, also after the date form's Cancel, the
// picture, and a new hour taken back to the saved one; the date form's Ok with
// hour 12 and "now" at 12:47 give that minute's (PyEphem,
// observer_log_sky_pyephem.csv). Opening recomputed them for the current site
// and a save wrote those over the saved ones.
TEST_P(ObserverLogScreens, OpenedEntryTookTheSkyOfTheCurrentSite) {
    const ReferenceTable noon = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "observer_log_sky_pyephem.csv");
    ASSERT_EQ(noon.Get(1, "hour"), 12.0);
    const int sun = static_cast<int>(std::lround(noon.Get(1, "sun_alt_deg"))), moon = int(noon.Get(1, "moon_percent"));
    enum Kept { kOpened = -1, kBack = -2 };
    const struct {
        int hour, sunAltitude, way;
        std::vector<int> stored;  // Sun altitude, Moon per cent
    } cases[] = {{23, 12, kOpened, {12, 42}},   {18, -4, kOpened, {-4, 42}},  {23, 12, kDateCancel, {12, 42}},
                 {23, 12, kPicture, {12, 42}},  {23, 12, kBack, {12, 42}},    {23, 12, kDateOk, {sun, moon}},
                 {23, 12, kNow, {sun, moon}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hour << " " << c.way);
        Reset();
        ObserverLogRecord saved{};
        saved.magic = kObserverLogMagic;
        std::snprintf(saved.name, sizeof saved.name, "M 42");
        saved.year = 2006, saved.month = 3, saved.day = 14, saved.hour = c.hour, saved.minute = c.hour == 23 ? 47 : 27;
        saved.sunAltitude = c.sunAltitude, saved.moonPercent = 42;
        const std::vector<uint8_t> bytes = EncodeObserverLogRecord(saved);
        fs::create_directories(Logs());
        std::ofstream(Logs() / "M 42.log", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        Press(kLogBack);
        Open();
        Ui([] { pl::StartTextLog(); });
        Reopen();
        std::vector<std::string> drawn;
        Ui([&drawn] {
            for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) drawn.push_back(run.text);
            pl::StopTextLog();
        });
        for (const std::string& text : {std::to_string(c.sunAltitude) + "\xB0", std::string("42%")})
            EXPECT_TRUE(std::find(drawn.begin(), drawn.end(), text) != drawn.end()) << text;
        if (c.way == kBack) {
            Change(kDateOk);
            Change(kDateOk, "23");
        } else if (c.way != kOpened) {
            Change(static_cast<Way>(c.way));
        }
        Press(kLogSave);
        const ObserverLogRecord r = Stored();
        EXPECT_EQ((std::vector<int>{r.sunAltitude, r.moonPercent}), c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ObserverLogScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
