// The memo import dialog and the memo menu commands in the running program,
// on a 240 x 320 screen at 96 dpi.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/memo.h"
#include "catalog/screens/memo_dialog.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/message_queue.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/forms.h"
#include "ui/shell_state.h"
#include "ui/title_control.h"

namespace {

constexpr int kExportCommand = 1034;
constexpr int kTitle = 8011;
constexpr int kFileList = 2901;
constexpr int kOk = 2902;
constexpr int kImport = 2903;

// User objects and a planet: lines that need no object file.
const char* const kMemoLines[] = {
    "User;3;My galaxy;GALXY;III 1m:b;12:34:56;-12:34:56;12.3;5;2;-56",
    "NGC;7000;North America;NEBUL; ;20:58:47;44:19:48;4.0;120;100;0",
    "      ;4;Mars;PLANET; ;01:10:20;10:20:30;1.5;0;0;0",
};

std::string MemoText(const char* lineEnd) {
    std::string text;
    for (const char* line : kMemoLines) text += std::string(line) + lineEnd;
    return text;
}

class MemoImport : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProgram());
        home = GetCurrentFormDialog();
        ASSERT_TRUE(pl::IsWindow(home));
    }
    void WriteMemo(const std::string& name, const std::string& text) const {
        std::ofstream(folder.path() / "userlists" / name, std::ios::binary) << text;
    }
    // Opens the dialog as the menu command does; the command's result arrives
    // in `imported` once the dialog has closed.
    void OpenDialog() {
        imported = -1;
        Ui([this] { imported = ImportListFromMemo(); });
        ASSERT_NE(Dialog(), nullptr);
    }
    // The open memo dialog, or null.
    static pl::Hwnd Dialog() {
        for (pl::Hwnd w : pl::TopLevelWindows())
            if (pl::IsModalDialog(w) && pl::GetDlgItem(w, kFileList)) return w;
        return nullptr;
    }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(Dialog(), id); }
    static pl::Rect ScreenRect(int id) {
        pl::Rect r;
        pl::GetWindowRect(Item(id), &r);
        return r;
    }
    void TapItem(int id) { Tap(Centre(Item(id))); }
    // Selects a row by tapping it and closes the preview it shows.
    void ChooseRow(int row) {
        Tap(RowCentre(Item(kFileList), row));
        ASSERT_EQ(BoxText().rfind("Beginning of memo data:\n", 0), 0u) << BoxText();
        Answer(pl::IDOK);
    }
    static int RowOf(const std::string& name) {
        for (int i = 0; i < memoNameTable.Count(); ++i)
            if (name == memoNameTable[i].data()) return i;
        return -1;
    }
    static int RowCount() { return pl::ListViewGetItemCount(Item(kFileList)); }
    static std::vector<SelectionEntry> Entries() { return {selectionList, selectionList + selectionCount}; }

    pl::Hwnd home = nullptr;
    int imported = -1;
};

// The menu item, chosen from the title's Settings menu: the dialog runs
// inside the title's tap. Ok reads nothing: the list stays, the form beneath
// is opened again and no control of the dialog is left registered.
TEST_F(MemoImport, TheSettingsMenuItemOpensTheDialogAndOkLeavesWithoutReading) {
    WriteMemo("a.txt", MemoText("\n"));
    Ui([] { ImportMemoText(kMemoLines[2]); });
    pl::Rect title;
    pl::GetWindowRect(pl::GetDlgItem(home, 8001), &title);
    harness.tap(title.left + 5, title.top + 5);
    harness.tap(118, 8);  // the Settings button of the menu bar
    for (int i = 0; i < 7; ++i) harness.key(pl::VK_DOWN);  // Preferences ... Import Memo to List
    harness.key(pl::VK_RETURN);
    pl::Hwnd dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetCurrentFormDialog(), home);  // the form stays open beneath
    TitleRecord* record = RecordOf<TitleRecord>(Item(kTitle));
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->text, "Import Memo File");
    EXPECT_EQ(record->menuFlag, 0);
    pl::Rect r;
    pl::GetWindowRect(dialog, &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 240, 320}));  // the whole screen
    ChooseRow(0);
    TapItem(kOk);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(selectionCount, 1);
    EXPECT_FALSE(pl::IsWindow(home));
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(controlRegistry.Count(), 23);  // the new home form's title and 22 buttons
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_TRUE(harness.failures().empty());
}

// A missing userlists folder is made and lists nothing; only memo files are
// listed, by name; Import without a chosen row does nothing.
TEST_F(MemoImport, OnlyTheMemoFilesOfUserlistsAreListed) {
    std::filesystem::remove_all(folder.path() / "userlists");
    OpenDialog();
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "userlists"));
    EXPECT_EQ(RowCount(), 0);
    TapItem(kOk);
    for (const char* name : {"b.txt", "a.txt", "list.lst", "c.txt.tmp", "notes.csv"}) WriteMemo(name, "x\n");
    OpenDialog();
    ASSERT_EQ(RowCount(), 2);
    ASSERT_EQ(memoNameTable.Count(), 2);
    EXPECT_STREQ(memoNameTable[0].data(), "a.txt");
    EXPECT_STREQ(memoNameTable[1].data(), "b.txt");
    TapItem(kImport);
    EXPECT_NE(Dialog(), nullptr);
    EXPECT_EQ(BoxCount(), 0);
    TapItem(kOk);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(imported, 0);
}

// The satellites' Import reads its element file through this dialog into a
// buffer of its own: a longer file is cut after its last whole line and told
// (once the list import told the cut itself, the satellites' went untold).
TEST_F(MemoImport, AFileCutForTheCallersBufferIsTold) {
    const std::string first(40, 'a'), second(40, 'b');
    WriteMemo("sets.txt", first + "\n" + second + "\n");
    static char buffer[64];
    Ui([] { ImportMemoFile(buffer, sizeof buffer); });
    ASSERT_NE(Dialog(), nullptr);
    ChooseRow(RowOf("sets.txt"));
    TapItem(kImport);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(BoxText(), "Memo file too long.\nsets.txt");
    EXPECT_EQ(BoxCount(), 1);
    AnswerAll();
    EXPECT_EQ(std::string(buffer), first + "\n");
}

// The preview of a file shorter than its 255-byte buffer used to say the
// header could not be read.
TEST_F(MemoImport, ATapOnARowShowsTheBeginningOfTheFileEvenWhenShort) {
    std::string longText;
    for (int i = 0; longText.size() < 400; ++i) longText += "NGC;" + std::to_string(i) + ";x;GALXY; ;1;1;1.0;1;1;0\n";
    WriteMemo("a_long.txt", longText);
    WriteMemo("b_short.txt", kMemoLines[0]);
    WriteMemo("c_empty.txt", "");
    OpenDialog();
    const std::string expected[] = {"Beginning of memo data:\n" + longText.substr(0, 255),
                                    std::string("Beginning of memo data:\n") + kMemoLines[0], "Can't read header.\n"};
    for (int row = 0; row < 3; ++row) {
        Tap(RowCentre(Item(kFileList), row));
        EXPECT_EQ(BoxText(), expected[row]) << row;
        Answer(pl::IDOK);
    }
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kFileList)), 2);
    TapItem(kOk);
}

// The chosen file becomes the list and the VezizIvodozi form is asked for (not
// yet part of the program, so it is refused); CR LF and LF files give the same
// list.
TEST_F(MemoImport, ImportReadsTheChosenFileIntoANewList) {
    WriteMemo("crlf.txt", MemoText("\r\n"));
    WriteMemo("lf.txt", MemoText("\n"));
    // A fixed date: the home form's drawing between the imports keeps it.
    Ui([] {
        currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
        dateTimeFixed = 1;
    });
    std::vector<std::vector<SelectionEntry>> lists;
    for (const char* name : {"lf.txt", "crlf.txt"}) {
        OpenDialog();
        ChooseRow(RowOf(name));
        TapItem(kImport);
        EXPECT_EQ(Dialog(), nullptr);
        EXPECT_EQ(imported, 1);
        EXPECT_EQ(GetCurrentFormId(), 1800);
        EXPECT_EQ(BoxText(), "");
        EXPECT_EQ(selectionShownCount, 3) << name;
        lists.push_back(Entries());
        Ui([] { GotoForm(kHomeFormId); });
    }
    ASSERT_EQ(lists[0].size(), 3u);
    ASSERT_EQ(lists[1].size(), 3u);
    EXPECT_STREQ(lists[0][0].name, "My galaxy");
    EXPECT_EQ(lists[0][0].designation, kDesignationUser);
    EXPECT_EQ(lists[0][1].designation, kDesignationNgc);
    EXPECT_EQ(lists[0][2].source, kSourcePlanet);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(std::memcmp(&lists[0][i], &lists[1][i], sizeof(SelectionEntry)), 0) << i;
    EXPECT_EQ(selectionCriteria.year, 2024);
    EXPECT_EQ(selectionCriteria.minute, 7);
}

// Export List to Memo writes the list into the memo of the current minute,
// which Import Memo to List reads back as the same list (its planet as the
// export wrote it, at its place of the program's time). The export's busy
// indicator used to draw through the form's ended paint context.
TEST_F(MemoImport, AnExportedListComesBackThroughTheMenusAndExportDrawsThroughALiveContext) {
    harness.setLocalTime({2024, 3, 5, 21, 7, 0});  // the device clock, which the program's time follows
    Ui([] {
        currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
        ImportMemoText(MemoText("\n").c_str());
        selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
    });
    MainCommand(kExportCommand);
    std::vector<SelectionEntry> before = Entries();
    EXPECT_EQ(BoxText(), "3 Objects exported.\n\n");
    Answer(pl::IDOK);
    EXPECT_TRUE(harness.failures().empty());
    Ui([] { ImportMemoText(kMemoLines[2]); });
    ASSERT_EQ(selectionCount, 1);
    OpenDialog();
    ChooseRow(RowOf("20240305_zendamemo_2107.txt"));
    TapItem(kImport);
    Answer(pl::IDOK);  // the VezizIvodozi form is refused
    ASSERT_EQ(selectionCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(selectionList[i].name, before[i].name);
        EXPECT_EQ(selectionList[i].designation, before[i].designation);
        EXPECT_EQ(selectionList[i].number, before[i].number);
        EXPECT_EQ(selectionList[i].mag10, before[i].mag10);
    }
}

// A list of 400 objects ("Max Selected items" 400) makes a memo longer than
// 16384 bytes; Import Memo to List reads it back whole (it used to be cut
// with "Memo file too long.").
TEST_F(MemoImport, ALongExportedListComesBackWhole) {
    harness.setLocalTime({2024, 3, 5, 21, 7, 0});
    Ui([] {
        currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
        preferences.word[kPrefMaxSelectedItems] = 8;
        std::string text;
        for (int n = 1; n <= 400; ++n)
            text += "User;" + std::to_string(n) + ";Long name " + std::to_string(n) + ";GALXY; ;" +
                    std::to_string(n % 24) + ":30:00;" + std::to_string(n % 90) + ":15:00;9.0;1;1;0\n";
        ImportMemoText(text.c_str());
        selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
    });
    ASSERT_EQ(selectionCount, 400);
    MainCommand(kExportCommand);
    Answer(pl::IDOK);
    ASSERT_GT(std::filesystem::file_size(folder.path() / "userlists" / "20240305_zendamemo_2107.txt"), 16384u);
    OpenDialog();
    ChooseRow(RowOf("20240305_zendamemo_2107.txt"));
    TapItem(kImport);
    EXPECT_EQ(BoxText(), "");
    EXPECT_EQ(selectionCount, 400);
}

// The rows show the file name two pixels in. Their paint context ended with
// the list's paint; drawing afterwards (the busy indicator here) used to go
// through it.
TEST_F(MemoImport, DrawingAfterTheRowsArePaintedUsesALiveContext) {
    WriteMemo("a.txt", "x\n");
    OpenDialog();
    pl::Rect row;
    pl::SendMessage(Item(kFileList), pl::LVM_GETITEMRECT, 0, reinterpret_cast<pl::LParam>(&row));
    pl::Point origin{0, 0};
    pl::ClientToScreen(Item(kFileList), &origin);
    row = pl::Offset(row, origin.x, origin.y);
    const uint32_t fill = pl::GetSysColor(pl::kColorMenu);
    int textPixels = 0, indentPixels = 0;
    for (int y = row.top; y < row.bottom; ++y)
        for (int x = row.left; x < row.left + 40; ++x) {
            bool text = harness.pixel(x, y) != fill;
            textPixels += text;
            indentPixels += text && x < row.left + 2;
        }
    EXPECT_GT(textPixels, 10);
    EXPECT_EQ(indentPixels, 0);
    Ui([] {
        StepBusyIndicator(1);
        EndBusyIndicator(0);
    });
    EXPECT_NE(Dialog(), nullptr);
    TapItem(kOk);
}

// On a larger screen Ok moves down, Import moves right and down and the list
// grows by the difference to the 240 x 320 design.
TEST_F(MemoImport, ControlsFollowTheScreenSize) {
    OpenDialog();
    const pl::Rect ok = ScreenRect(kOk), import = ScreenRect(kImport), list = ScreenRect(kFileList);
    TapItem(kOk);
    harness.changeScreen(320, 480, 96);
    OpenDialog();
    pl::Rect r;
    pl::GetWindowRect(Dialog(), &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 320, 480}));
    EXPECT_EQ(ScreenRect(kOk), pl::Offset(ok, 0, 160));
    EXPECT_EQ(ScreenRect(kImport), pl::Offset(import, 80, 160));
    EXPECT_EQ(ScreenRect(kFileList), (pl::Rect{list.left, list.top, list.right + 80, list.bottom + 160}));
    TapItem(kOk);
}

// A file that gives no entry (100,000 random bytes; line ends only) leaves a
// list of 4 entries byte-identical with one message naming the file (not
// "Memo file too long." nor a damaged line). A memo of 20 good lines and 2
// with a lettered right ascension gives the 20 and tells each of the 2.
TEST_F(MemoImport, AFileThatGivesNoEntryLeavesTheListAsItWas) {
    std::mt19937 random(86);
    std::string noise(100000, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xFF);
    noise[0] = 'x';  // the preview shows a beginning
    const std::string lettered[] = {"User;98;Odd;GALXY; ;12a30b00;10:00:00;9.0;1;1;0",
                                    "User;99;Odder;GALXY; ;XII;10:00:00;9.0;1;1;0"};
    std::string mixed;
    for (int n = 1; n <= 20; ++n) {
        mixed += "User;" + std::to_string(n) + ";Obj " + std::to_string(n) + ";GALXY; ;01:00:00;" +
                 std::to_string(n) + ":00:00;9.0;1;1;0\n";
        if (n == 5 || n == 15) mixed += lettered[n / 10] + "\n";
    }
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> boxes;
        int entries;  // 0: the list kept
    } cases[] = {
        {"noise.txt", noise, {"No object found in memo:\nnoise.txt"}, 0},
        {"ends.txt", std::string(3000, '\n') + "\r\n\r\n", {"No object found in memo:\nends.txt"}, 0},
        {"mixed.txt",
         mixed,
         {"Failed to load data. Check line\n" + lettered[0], "Failed to load data. Check line\n" + lettered[1]},
         20},
    };
    ASSERT_GT(noise.size(), MemoImportBufferSize());
    for (const auto& c : cases) {
        WriteMemo(c.name, c.text);
        Ui([] { ImportMemoText((MemoText("\n") + "User;4;Fourth;GALXY; ;03:00:00;30:00:00;9.0;1;1;0\n").c_str()); });
        ASSERT_EQ(selectionCount, 4);
        const std::vector<SelectionEntry> before = Entries();
        OpenDialog();
        ChooseRow(RowOf(c.name));
        TapItem(kImport);
        std::vector<std::string> boxes;
        for (int i = 0; i < 10 && BoxCount() > 0; ++i) {
            boxes.push_back(BoxText());
            Answer(pl::IDOK);
        }
        EXPECT_EQ(boxes, c.boxes) << c.name;
        if (c.entries == 0) {
            EXPECT_EQ(imported, 0) << c.name;
            ASSERT_EQ(selectionCount, 4) << c.name;
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(std::memcmp(&selectionList[i], &before[i], sizeof before[i]), 0) << c.name;
        } else {
            EXPECT_EQ(imported, 1);
            ASSERT_EQ(selectionCount, c.entries);
            EXPECT_STREQ(selectionList[19].name, "Obj 20");
        }
        Ui([] { GotoForm(kHomeFormId); });
    }
}

}  // namespace
