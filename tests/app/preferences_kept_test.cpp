// The preferences kept between runs in zendavori.prefs: what the user set on
// the pages, the site and the saved alignment survive a restart; damaged or
// unwritable files cost nothing but the settings they held.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/home_form.h"
#include "app/main_window.h"
#include "app/preference_tables.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "core/julian_day.h"
#include "core/preferences_file.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/focus.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/alignment_restore.h"
#include "support/both_screens.h"
#include "support/list_entries.h"
#include "support/message_boxes.h"
#include "support/preference_driver.h"
#include "support/program_fixture.h"
#include "support/test_harness.h"
#include "tools/camera_form.h"
#include "tools/ccd_form.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "tools/camera_settings_file.h"
#include "tools/camera_shots.h"
#include "ui/shell_state.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Each start is a new process as far as the program's state goes, in one
// program folder that outlives the runs.
class KeptPreferences : public ::testing::Test, protected PreferencePageDriver {
protected:
    KeptPreferences() {
        InstallSymbolFont(folder.path());
        InstallEmptyDatabases(folder.path());
        previousHook = InstallSavedAlignmentHook({});
    }
    ~KeptPreferences() override {
        Quit();
        harness.reset();
        InstallSavedAlignmentHook(previousHook);
        pl::FailWritesAfter(-1);
        ResetAlignmentRestore();
        ResetSharedState();
    }
    // `before` runs once the state is fresh, before the program starts.
    void Start(const pl::LocalTime& clock, void (*before)() = nullptr) {
        harness.reset();
        pl::ResetShell();
        ResetSharedState();
        ResetAlignmentModel();
        ResetAlignmentRestore();
        ResetHomeForm();
        if (before) before();
        pl::HarnessOptions options = TestHarnessOptions();
        options.start = clock;
        options.screen = screen;
        harness.emplace(options);
        harness->start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    }
    // Answers the open boxes with OK; their texts.
    std::vector<std::string> AnswerBoxes() {
        std::vector<std::string> boxes;
        for (std::string text; (text = OpenBoxText()) != "" && boxes.size() < 5; AnswerBox(*harness, pl::IDOK))
            boxes.push_back(text);
        return boxes;
    }
    // Quits through command 1 of the main window; the texts of the boxes answered on the way.
    std::vector<std::string> Quit() {
        if (!harness || !harness->running()) return {};
        Ui([] { pl::SendMessage(mainWindow, pl::WM_COMMAND, 1, 0); });
        std::vector<std::string> boxes = AnswerBoxes();
        EXPECT_FALSE(harness->running());
        return boxes;
    }
    void Ui(const std::function<void()>& call) { harness->runOnUi(call); }
    pl::Harness& Driven() override { return *harness; }
    std::filesystem::path File(const char* name) const { return folder.path() / name; }
    Bytes Read(const char* name) const {
        std::ifstream in(File(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const char* name, const Bytes& bytes) const {
        std::ofstream(File(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    TempProgramFolder folder{"kept"};
    pl::ScreenInfo screen = pl::kHeadlessScreen;  // of every start
    std::optional<pl::Harness> harness;
    SavedAlignmentHook previousHook;
};

constexpr pl::LocalTime kFirstRun{2024, 3, 5, 21, 0, 0};

// Pages 1, 2, 4 and 6 and the site, Ok, quit, start again an evening later:
// the pages show what was chosen, the site is the same record byte for byte,
// and the start date and time come from the clock, not from the last run.
TEST_F(KeptPreferences, PageSettingsAndSiteSurviveARestart) {
    const struct { int form, list, row; } choices[] = {
        {1400, 1410, 3}, {1400, 1408, 2}, {1400, 1416, 0},  // drive BBox, Scope Port COM2:, two stars
        {1430, 1412, 1}, {1430, 1446, 2},                   // Azimuth mount, Medium night mode
        {1620, 1625, 4}, {1620, 1639, 6}, {1620, 1673, 2},  // 45 deg: stars <7.5, objects Scope, turned view
        {1337, 1404, 0},                                    // RA Format "23.75"
    };
    const int okOf[] = {1400, 1425, 1430, 1447, 1620, 1621, 1337, 1340};
    Start(kFirstRun);
    SiteRecord site{};
    for (int k = 0; k < 8; k += 2) {
        Open(okOf[k]);
        for (const auto& c : choices)
            if (c.form == okOf[k]) Choose(c.list, c.row);
        if (okOf[k] == 1430) {
            Choose(1438, 20);  // Diameter "Other", 300 mm
            SetText(1535, "300");
        }
        Command(okOf[k + 1]);
    }
    Ui([&] {
        SetSiteLatitude(currentSite, 48.8566);
        currentSite.longitude = -2.3522f;
        site = currentSite;
    });
    EXPECT_TRUE(Quit().empty());

    Start(pl::LocalTime{2024, 3, 6, 20, 15, 7});
    for (const auto& c : choices) {
        Open(c.form);
        EXPECT_EQ(Row(c.list), c.row) << "list " << c.list;
    }
    Open(1430);
    EXPECT_EQ(Text(1535), "300");
    EXPECT_EQ(std::memcmp(&site, &currentSite, sizeof site), 0);
    const int32_t clock[6] = {2024, 3, 6, 20, 15, 7};
    const int words[6] = {kPrefStartYear, kPrefStartMonth, kPrefStartDay, kPrefStartHour, kPrefStartMinute,
                          kPrefStartSecond};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(preferences.word[words[i]], clock[i]) << "word " << words[i];
}

// A run that fixed the time by hand saved "Time Update" Manual (1): the next
// start still follows the device clock, and its home clock moves on with it.
TEST_F(KeptPreferences, TimeFixedInOneRunIsNotFixedAtTheNextStart) {
    Start(kFirstRun);
    Ui([] {
        dateTimeFixed = 1;
        SavePreferences();
    });
    EXPECT_TRUE(Quit().empty());
    Start(pl::LocalTime{2024, 3, 6, 20, 15, 0});
    EXPECT_EQ(dateTimeFixed, 0);
    harness->advance(300000);
    EXPECT_EQ((std::vector<int>{currentDateTime.day, currentDateTime.hour, currentDateTime.minute}),
              (std::vector<int>{6, 20, 20}));
}

// The CCD focal length is a length: 1660 mm typed in the CCD assistant before a 15.1 x 10 mm
// sensor of 9 um pixels, on the default telescope (166 mm at f/10). Page 2's Ok with nothing
// changed keeps it, and the assistant's fields of view, after a restart too; a new F-ratio of
// f/8 makes it the telescope's focal length, 166 x 8 = 1328 mm; left at 0 (the telescope's) it
// stays 0. Page 2's Ok wrote the F-ratio's row (6) into it, a field of view of 103 degrees.
using KeptCcdFocalLength = OnBothScreens<KeptPreferences>;

TEST_P(KeptCcdFocalLength, PageTwoOkKeepsTheCcdFocalLengthUntilTheTelescopeChanges) {
    screen = GetParam();
    Start(kFirstRun);
    Open(kCcdForm);
    for (auto [id, text] : {std::pair{kCcdWidthField, "15.1"}, {kCcdHeightField, "10"}, {kCcdPixelWidthField, "9"},
                            {kCcdPixelHeightField, "9"}, {kCcdFocalField, "1660"}})
        SetText(id, text);
    Ui([] { pl::SendMessage(GetCurrentFormDialog(), pl::WM_COMMAND, kCcdUpdate, 0); });
    auto shown = [this] { return Text(kCcdFocalField) + " " + Text(kCcdFovWidth) + " " + Text(kCcdFovHeight); };
    const std::string typed = shown();
    for (bool restarted : {false, true}) {
        SCOPED_TRACE(restarted ? "after a restart" : "in the same run");
        if (restarted) {
            EXPECT_TRUE(Quit().empty());
            Start(pl::LocalTime{2024, 3, 6, 20, 15, 0});
        }
        Open(1430);
        Command(1447);  // Ok, nothing changed
        EXPECT_EQ(preferences.word[kPrefCcdFocal], 1660);
        Open(kCcdForm);
        EXPECT_EQ(shown(), typed);
    }
    // The word before, the F-ratio row chosen, the word and the telescope's focal length after, mm.
    const struct { int focal, ratioRow, after, telescope; } changes[] = {{1660, 4, 1328, 1328}, {0, 6, 0, 1660}};
    Open(kHomeFormId);  // page 2's Ok goes back there, not to the CCD assistant, which fills a word of 0
    for (const auto& c : changes) {
        Ui([&] { preferences.word[kPrefCcdFocal] = c.focal; });
        Open(1430);
        Choose(1440, c.ratioRow);
        Command(1447);
        int telescope = 0;
        Ui([&] { telescope = GetScopeFocalLengthMm(); });
        EXPECT_EQ(std::vector<int>({preferences.word[kPrefCcdFocal], telescope}),
                  std::vector<int>({c.after, c.telescope}))
            << c.focal;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, KeptCcdFocalLength, ::testing::ValuesIn(kBothScreens));

// Two camera settings saved in one run are listed at the next start with
// every value; a settings file that cannot be read costs the list, is said
// once and is kept aside as zendavori.shots.bad.
TEST_F(KeptPreferences, CameraSettingsSurviveARestart) {
    const struct {
        const char *shots, *exposure, *delay, *file, *description;
        int iso;
    } saved[] = {{"3", "30", "5", "M42 set", "Orion, 3 of 30 s", 2}, {"10", "120", "10", "", "", 4}};
    auto openCamera = [this] {
        Ui([] { GotoForm(kCameraForm); });
        return GetCurrentFormDialog();
    };
    Start(kFirstRun);
    pl::Hwnd form = openCamera();
    for (const auto& r : saved)
        Ui([&] {
            for (auto [id, text] : {std::pair{kShotsField, r.shots}, {kExposureField, r.exposure}, {kDelayField, r.delay},
                                    {kShotFileField, r.file}, {kShotDescriptionField, r.description}})
                pl::SetDlgItemText(form, id, text);
            SetPopupList(kIsoTrigger, kIsoList, r.iso);
            pl::SendMessage(form, pl::WM_COMMAND, kCameraSave, 0);
        });
    EXPECT_TRUE(Quit().empty());
    Start(pl::LocalTime{2024, 3, 6, 20, 15, 0});
    EXPECT_TRUE(AnswerBoxes().empty());
    form = openCamera();
    const std::vector<ShotSetting>& kept = ShotSettings();
    ASSERT_EQ(kept.size(), 2u);
    std::vector<std::string> shown;
    for (const ShotSetting& k : kept)
        shown.push_back(std::to_string(k.shots) + " " + std::to_string(k.exposureSeconds) + " " +
                        std::to_string(k.delaySeconds) + " " + std::to_string(k.isoRow) + " " + k.fileName + "|" +
                        k.description);
    EXPECT_EQ(shown, (std::vector<std::string>{"3 30 5 2 M42 set|Orion, 3 of 30 s", "10 120 10 4 Shot 0|"}));
    pl::Hwnd list = pl::GetDlgItem(form, kShotSettingsList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 2);
    EXPECT_EQ(pl::ListViewGetItemText(list, 1, 0), "Shot 0");
    Quit();

    const Bytes damaged = {'Z', 'D', 'S', 'H', 1, 0, 0, 0, 9, 0, 0, 0};
    Write(kShotSettingsFile, damaged);
    Start(kFirstRun);
    EXPECT_EQ(AnswerBoxes(),
              std::vector<std::string>{"The saved camera settings could not be read; they were moved aside.\n"});
    form = openCamera();
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, kShotSettingsList)), 0);
    EXPECT_FALSE(std::filesystem::exists(File(kShotSettingsFile)));
    EXPECT_EQ(Read(kShotSettingsDamagedFile), damaged);
}

// A kept file found damaged at two starts: the second is moved aside under the
// first free name, and the first copy is kept (the second rename replaced it).
TEST_F(KeptPreferences, SecondDamagedFileKeepsTheFirstCopy) {
    const struct { const char* file; const char* aside; const char* second; } files[] = {
        {kPreferencesFile, kPreferencesDamagedFile, "zendavori.prefs_2.bad"},
        {kShotSettingsFile, kShotSettingsDamagedFile, "zendavori.shots_2.bad"}};
    for (const auto& f : files) {
        const Bytes first = {'Z', 'D'}, second = {1, 2, 3};
        for (const Bytes* damaged : {&first, &second}) {
            Write(f.file, *damaged);
            Start(kFirstRun);
            EXPECT_EQ(AnswerBoxes().size(), 1u) << f.file;
            Quit();
        }
        EXPECT_EQ(Read(f.aside), first) << f.file;
        EXPECT_EQ(Read(f.second), second) << f.file;
    }
}

// A last list of 30 entries loaded whole and cut by "Max Selected items" 25
// (room for 25 + 5 - 1 = 29 with no bright-star names) is as a list cut at its
// load: while unchanged the quit leaves its file as it was, and the next start
// reads the first 29 back.
TEST_F(KeptPreferences, LastListCutByMaxSelectedItemsIsNotSavedOverAndIsReadBack) {
    auto names = [this] {
        std::vector<std::string> listed;
        Ui([&] {
            for (int i = 0; i < selectionCount; ++i) listed.push_back(selectionList[i].name);
        });
        return listed;
    };
    std::vector<std::string> thirty;
    for (int i = 0; i < 30; ++i) thirty.push_back("Obj" + std::to_string(i));
    Start(kFirstRun);
    Open(1430);
    Choose(1442, 1);
    Command(1447);
    Ui([] {
        ASSERT_EQ(GetBrightStarCount(), 0);
        for (int i = 0; i < 30; ++i)
            selectionList[i] = ListEntry(("Obj" + std::to_string(i)).c_str(), 63, i, 16, 0.5f * i, 10.0f);
        selectionCount = 30;
    });
    EXPECT_TRUE(Quit().empty());
    const Bytes saved = Read("userlists/last_list.lst");
    ASSERT_EQ(saved.size(), 68u + 30u * 76u);
    Start(kFirstRun);
    EXPECT_EQ(names(), thirty);
    Open(1430);
    Choose(1442, 0);
    Command(1447);
    EXPECT_EQ(AnswerBoxes(), std::vector<std::string>{"1 entries did not fit in the list and were left out.\n"});
    EXPECT_TRUE(Quit().empty());
    EXPECT_EQ(Read("userlists/last_list.lst"), saved);
    Start(kFirstRun);
    AnswerBoxes();
    EXPECT_EQ(names(), std::vector<std::string>(thirty.begin(), thirty.begin() + 29));
}

// An alignment saved in the first run is offered at the next start's first
// paint when it is less than half a day old and its star pair was kept.
TEST_F(KeptPreferences, SavedAlignmentIsOfferedWithinHalfADayWhenItsStarsAreKept) {
    const struct { int hoursLater; bool starsKept, offered; } cases[] = {{6, true, true}, {13, true, false}, {6, false, false}};
    for (const auto& c : cases) {
        if (c.starsKept) InstallSavedAlignStars();
        else InstallSavedAlignmentHook({});
        std::filesystem::remove(File(kPreferencesFile));
        // A stand-in restore keeps the start-up from installing the program's
        // own with its star-pair hook: the case's hook stays as set above.
        Start(kFirstRun, [] { restoreAlignmentHook = [] {}; });
        Ui([] {
            std::strcpy(savedAlignStar1.name, "Vega");
            savedAlignStar2.dec = 45.28;
            preferences.word[kPrefSavedEncoderAlt] = 120;
            preferences.word[kPrefSavedEncoderAz] = -40;
            preferences.SetDouble(kPrefAlignmentSavedJd, JulianDayFromDateTime(2024, 3, 5, 21, 0, 0, 0));
        });
        Quit();
        static int restored;
        restored = 0;
        Start(pl::LocalTime{2024, 3, 5 + (21 + c.hoursLater) / 24, (21 + c.hoursLater) % 24, 0, 0},
              [] { restoreAlignmentHook = [] { ++restored; }; });
        std::string asked = OpenBoxText();
        AnswerBox(*harness, pl::IDYES);
        EXPECT_EQ(asked, c.offered ? "Would you want to restore your last alignment?\n" : "") << c.hoursLater;
        EXPECT_EQ(restored, c.offered ? 1 : 0);
        if (c.offered) {
            EXPECT_STREQ(savedAlignStar1.name, "Vega");
            EXPECT_EQ(savedAlignStar2.dec, 45.28);
            EXPECT_EQ((std::vector<int>{preferences.word[kPrefSavedEncoderAlt], preferences.word[kPrefSavedEncoderAz]}),
                      (std::vector<int>{120, -40}));
        }
        Quit();
    }
}

// The 2-star form's Align is kept with the preferences: a start three hours
// later offers it from the home form's first drawing (the start-up installs
// the alignment's restore and its star pair), and Yes gives the same matrix.
TEST_F(KeptPreferences, TwoStarAlignmentIsOfferedAfterARestart) {
    InstallSavedAlignmentHook({});
    std::filesystem::remove(File(kPreferencesFile));
    Start(kFirstRun);
    Open(1300);
    // Star 1 at RA 05:30, Dec -10:15 read an hour east; star 2 at 11 h, +40.
    const std::pair<int, const char*> typed[] = {{1307, "05:30:00"}, {1309, "-10:15:00"}, {1315, "06:30:00"},
                                                 {1313, "-10:15:00"}, {1308, "11:00:00"}, {1310, "40:00:00"},
                                                 {1316, "12:00:00"},  {1314, "40:00:00"}};
    for (const auto& [field, text] : typed) {
        pl::Hwnd form = GetCurrentFormDialog();
        Ui([form, field = field] { pl::PostMessage(form, kMsgEditField, static_cast<pl::WParam>(field), 0); });
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, form);
        Ui([input, text = text] {
            pl::SetDlgItemText(input, 137, text);
            pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0);
        });
    }
    Ui([] { pl::SendMessage(GetCurrentFormDialog(), pl::WM_COMMAND, 1321, 0); });  // Align
    ASSERT_EQ(IsAlignmentValid(), 1) << OpenBoxText();
    double aligned[3][3];
    std::memcpy(aligned, alignmentModel.transform, sizeof aligned);
    EXPECT_TRUE(Quit().empty());

    Start(pl::LocalTime{2024, 3, 6, 0, 0, 0});
    EXPECT_EQ(OpenBoxText(), "Would you want to restore your last alignment?\n");
    AnswerBox(*harness, pl::IDYES);
    EXPECT_EQ(IsAlignmentValid(), 1);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(alignmentModel.transform[i][j], aligned[i][j]) << i << "," << j;
    const double c = std::cos(15.0 * 3.14159265358979323846 / 180.0);
    EXPECT_NEAR(alignmentModel.transform[0][0], c, 1e-9);  // a turn of 15 degrees about the pole
}

// Damaged files: the program starts on the defaults, says so once and keeps the
// bytes as zendavori.prefs.bad. A word out of range under a good CRC is no
// damage: the file is read and the word gets its range check's value; a later
// version's extra words are passed over. The base file holds RA Format 0 and
// Dec Format 1 (defaults 2 and 2).
TEST_F(KeptPreferences, DamagedFilesFallBackToTheDefaultsAndAreKeptAside) {
    ResetSharedState();
    preferences.word[kPrefRaFormat] = 0;
    preferences.word[kPrefDecFormat] = 1;
    ASSERT_TRUE(SavePreferences());
    const Bytes base = Read(kPreferencesFile);
    auto wordAt = [](int w) { return 16 + 4 * w; };
    auto withCrc = [](Bytes b) {
        uint32_t crc = static_cast<uint32_t>(crc32(0, b.data() + 16, static_cast<uInt>(b.size() - 16)));
        for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<uint8_t>(crc >> (8 * i));
        return b;
    };
    Bytes flipped = base, count = base, outOfRange = base, later = base;
    flipped[wordAt(kPrefRaFormat)] ^= 0x04;
    count[8] -= 1;  // 287 words
    outOfRange[wordAt(kPrefRaFormat)] = 9;
    later[4] = 2;   // version 2 with two words more
    later[8] += 2;
    later.insert(later.begin() + wordAt(kPreferenceWordCount), 8, 0x5A);
    const struct { const char* name; std::optional<Bytes> file; bool damaged; int raFormat, decFormat; } cases[] = {
        {"missing", std::nullopt, false, 2, 2}, {"empty", Bytes{}, true, 2, 2},
        {"7 bytes", Bytes(base.begin(), base.begin() + 7), true, 2, 2},
        {"flipped bit", flipped, true, 2, 2},   {"word count", count, true, 2, 2},
        {"out of range", withCrc(outOfRange), false, 2, 1}, {"later version", withCrc(later), false, 0, 1},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(File(kPreferencesFile));
        std::filesystem::remove(File(kPreferencesDamagedFile));
        if (c.file) Write(kPreferencesFile, *c.file);
        Start(kFirstRun);
        const std::string told = "The saved preferences could not be read; the defaults are used.\n";
        EXPECT_EQ(AnswerBoxes(), c.damaged ? std::vector<std::string>{told} : std::vector<std::string>{}) << c.name;
        EXPECT_EQ(GetCurrentFormId(), 1950) << c.name;
        EXPECT_EQ(preferences.word[kPrefRaFormat], c.raFormat) << c.name;
        EXPECT_EQ(preferences.word[kPrefDecFormat], c.decFormat) << c.name;
        EXPECT_STREQ(currentSite.name, "None") << c.name;
        EXPECT_EQ(std::filesystem::exists(File(kPreferencesDamagedFile)), c.damaged) << c.name;
        EXPECT_EQ(Read(kPreferencesDamagedFile), c.damaged ? *c.file : Bytes{}) << c.name;
        EXPECT_TRUE(Quit().empty()) << c.name;
    }
}

// A file whose CRC holds but whose site is no place (latitude NaN, longitude
// 1e30, zone 32767): the program starts on the default site with the one
// message of a damaged file, keeps the words the file holds, and writes at
// exit a file that the next start reads without a word.
TEST_F(KeptPreferences, ImpossibleSiteUnderAGoodCrcStartsOnTheDefaultSite) {
    ResetSharedState();
    preferences.word[kPrefRaFormat] = 0;
    ASSERT_TRUE(SavePreferences());
    Bytes file = Read(kPreferencesFile);
    const std::size_t site = 16 + 4 * kPreferenceWordCount;  // name (12 bytes), latitude, longitude, ...
    auto put = [&file](std::size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(site + 12, 0x7FC00000u, 4);  // latitude NaN
    put(site + 16, 0x7149F2CAu, 4);  // longitude 1e30
    put(site + 30, 32767, 2);        // zone, after the sine, the cosine and the elevation
    uint32_t crc = static_cast<uint32_t>(crc32(0, file.data() + 16, static_cast<uInt>(file.size() - 16)));
    put(12, crc, 4);
    Write(kPreferencesFile, file);
    const std::string told = "The saved preferences could not be read; the defaults are used.\n";
    for (int run = 0; run < 2; ++run) {
        Start(kFirstRun);
        EXPECT_EQ(AnswerBoxes(), run == 0 ? std::vector<std::string>{told} : std::vector<std::string>{}) << run;
        EXPECT_STREQ(currentSite.name, "None");
        EXPECT_EQ((std::vector<double>{currentSite.latitude, currentSite.longitude, double(currentSite.zoneMinutes)}),
                  (std::vector<double>{51.0, 0.0, 0.0}))
            << run;
        EXPECT_EQ(preferences.word[kPrefRaFormat], 0) << run;
        EXPECT_FALSE(std::filesystem::exists(File(kPreferencesDamagedFile)));
        EXPECT_TRUE(Quit().empty()) << run;
    }
}

// A file that cannot be written (a directory where the temporary file goes):
// the program runs on and says so once, not at every save. A save that fails
// half-way leaves the last good file whole and loadable.
TEST_F(KeptPreferences, FailedSavesKeepTheLastGoodFileAndAreReportedOnce) {
    const std::string couldNot = "Could not save the preferences.\n";
    std::filesystem::create_directory(File(kPreferencesTemporaryFile));
    Start(kFirstRun);
    const int rows[] = {0, 1, 0, 3};  // RA Format chosen before each Ok of page 6
    for (int i = 0; i < 4; ++i) {
        if (i == 2) std::filesystem::remove(File(kPreferencesTemporaryFile));
        if (i == 3) pl::FailWritesAfter(500);
        Open(1337);
        Choose(1404, rows[i]);
        Command(1340);
        pl::FailWritesAfter(-1);
        EXPECT_EQ(AnswerBoxes(), i == 0 || i == 3 ? std::vector<std::string>{couldNot} : std::vector<std::string>{})
            << "save " << i;
        EXPECT_EQ(GetCurrentFormId(), 1950);
    }
    EXPECT_FALSE(std::filesystem::exists(File(kPreferencesTemporaryFile)));
    PreferencesLoad loaded = PreferencesLoad::Missing;
    Ui([&] { loaded = LoadPreferences(); });
    EXPECT_EQ(loaded, PreferencesLoad::Loaded);
    EXPECT_EQ(preferences.word[kPrefRaFormat], 0);
}

// Every row a page can store is read back as stored: the ranges the load
// checks cover the pages' popups. "Time Update" is the exception: it starts
// Automatic (0) whatever was saved.
TEST(KeptPreferenceRanges, EveryPopupRowSurvivesTheLoad) {
    ResetSharedState();
    for (int page = 1; page <= 6; ++page)
        for (const PreferencePopup& p : PreferencePopups(page)) {
            if (p.word == kPrefDistFormat) continue;  // a half word, checked in tests/core
            PreferencesBlock saved = preferences;
            saved.word[p.word] = static_cast<int32_t>(p.rows.size()) - 1;
            TakeSavedPreferences(saved);
            EXPECT_EQ(preferences.word[p.word], p.word == kPrefTimeUpdate ? 0 : saved.word[p.word]) << "list " << p.list;
        }
    ResetSharedState();
}

}  // namespace
