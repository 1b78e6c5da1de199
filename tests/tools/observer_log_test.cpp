// The observer log's files without windows: the 456-byte record at its
// offsets (little-endian, from hand-made bytes), file names, the export line
// and its chunks, load, save and delete in a fresh program folder, failed
// writes, and the values a new entry starts with.
#include "tools/observer_log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/selection_list.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/sky_brightness.h"
#include "objects/current_object.h"
#include "objects/selected_object.h"
#include "platform/files.h"
#include "support/folder_files.h"
#include "support/fuzz_corpus.h"
#include "support/observer_log_records_entry.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "support/test_site.h"
#include "ui/preference_values.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void PutI32(Bytes* b, std::size_t at, int32_t v) {
    for (int k = 0; k < 4; ++k) (*b)[at + k] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k));
}
void PutF32(Bytes* b, std::size_t at, float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    PutI32(b, at, static_cast<int32_t>(u));
}
void PutText(Bytes* b, std::size_t at, const std::string& text) { std::memcpy(b->data() + at, text.data(), text.size()); }

// A record file made by hand at the published offsets.
Bytes HandMadeFile() {
    Bytes b(456, 0);
    PutI32(&b, 0, 123456789);
    PutI32(&b, 4, 7);
    PutText(&b, 8, "M 31");
    const int32_t words[][2] = {{28, 2006}, {32, 3},  {36, 14}, {40, 23}, {44, 47}, {56, 99}, {60, -41},
                                {64, 65},   {68, 6},  {72, 4},  {80, 1},  {84, 2},  {444, 3}, {448, 2},
                                {452, 1}};
    for (const auto& w : words) PutI32(&b, static_cast<std::size_t>(w[0]), w[1]);
    PutF32(&b, 48, 0.7125f);
    PutF32(&b, 52, 41.25f);
    PutText(&b, 88, "200mm");
    PutText(&b, 108, "Home");
    PutText(&b, 138, "UHC");
    PutText(&b, 153, "Dust lanes seen");
    return b;
}

TEST(ObserverLogRecord, HandMadeBytesReadIntoTheirFields) {
    const Bytes b = HandMadeFile();
    ObserverLogRecord r;
    ASSERT_TRUE(DecodeObserverLogRecord(b.data(), b.size(), &r));
    EXPECT_EQ(r.magic, 123456789u);
    EXPECT_EQ(std::string(r.name), "M 31");
    EXPECT_EQ((std::vector<int>{r.listIndex, r.year, r.month, r.day, r.hour, r.minute, r.moonPercent,
                                r.sunAltitude, r.visualLimit10, r.objectType, r.objectMagnitude, r.transparency,
                                r.seeing, r.eyepiece, r.difficulty, r.brightness}),
              (std::vector<int>{7, 2006, 3, 14, 23, 47, 99, -41, 65, 6, 4, 1, 2, 3, 2, 1}));
    EXPECT_EQ(r.rightAscension, 0.7125f);
    EXPECT_EQ(r.declination, 41.25f);
    EXPECT_EQ((std::vector<std::string>{r.scope, r.location, r.filter, r.comments}),
              (std::vector<std::string>{"200mm", "Home", "UHC", "Dust lanes seen"}));
    // Written back, the same bytes.
    EXPECT_EQ(EncodeObserverLogRecord(r), b);
}

// Every text filling its whole field (no NUL) stays inside it: the neighbour's
// first byte is not taken.
TEST(ObserverLogRecord, FullFieldsWithoutTheirNulStayInside) {
    Bytes b(456, 'x');
    const struct {
        std::size_t at, width;
        char fill;
    } fields[] = {{8, 20, 'n'}, {88, 20, 's'}, {108, 30, 'l'}, {138, 15, 'f'}, {153, 288, 'c'}};
    for (const auto& f : fields) std::memset(b.data() + f.at, f.fill, f.width);
    ObserverLogRecord r;
    ASSERT_TRUE(DecodeObserverLogRecord(b.data(), b.size(), &r));
    EXPECT_EQ(std::string(r.name), std::string(20, 'n'));
    EXPECT_EQ(std::string(r.scope), std::string(20, 's'));
    EXPECT_EQ(std::string(r.location), std::string(30, 'l'));
    EXPECT_EQ(std::string(r.filter), std::string(15, 'f'));
    EXPECT_EQ(std::string(r.comments), std::string(288, 'c'));
    // Reserved bytes and padding go back as zeros.
    const Bytes out = EncodeObserverLogRecord(r);
    EXPECT_EQ((std::vector<int>{out[76], out[79], out[441], out[443]}), (std::vector<int>{0, 0, 0, 0}));
    ObserverLogRecord untouched;
    untouched.year = 1999;
    EXPECT_FALSE(DecodeObserverLogRecord(b.data(), 455, &untouched));
    EXPECT_EQ(untouched.year, 1999);
}

TEST(ObserverLogRecord, FileNamesStayInTheFolder) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"M 31", "M 31.log"},       {"a/b", "a_b.log"},         {"..\\x", ".._x.log"},   {"", "_.log"},
        {"..", "_.log"},            {"C:*?\"<>|", "C_______.log"}, {"tab\there", "tab_here.log"},
        {"NGC 7000, North", "NGC 7000, North.log"},
    };
    for (const auto& c : cases) EXPECT_EQ(ObserverLogFileName(c.name), c.file) << c.name;
}

// The fuzz target's saved inputs (seeds of scripts/reference/
// observer_log_seeds.py and every input that ever found a fault) pass its checks.
TEST(ObserverLogRecord, SavedFuzzInputsPass) {
    ResetWithDefaults();
    EXPECT_GE(ReplayFuzzCorpus("observer_log_records", RunObserverLogRecord), 22);
    ResetObserverLog();
}

// ---- the export line ----

class ObserverLogText : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        preferences.word[kPrefRaFormat] = 1;
        preferences.word[kPrefDecFormat] = 1;
        ResetDateFieldOrder();
    }
    void TearDown() override { ResetWithDefaults(); }
};

ObserverLogRecord M31Record() {
    const Bytes b = HandMadeFile();
    ObserverLogRecord r;
    DecodeObserverLogRecord(b.data(), b.size(), &r);
    return r;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find_first_of(";\n", start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    return fields;
}

// M 31 lies in Andromeda (the constellation of its catalogue position); the
// fields written by hand from the record's values.
TEST_F(ObserverLogText, OneLineOfSeventeenFields) {
    std::string text;
    FormatObserverLogLine(&text, M31Record());
    EXPECT_EQ(text,
              "14/03/2006;23:47;M 31;00:42:45;41:15:00;Open Cluster;4.0;Andromeda;99%;-41\xB0;6.5;1;2;200mm;Home;"
              "UHC;Dust lanes seen\n");
}

TEST_F(ObserverLogText, EmptyTextsSeparatorsAndLineBreaks) {
    const struct {
        const char* what;
        const char* comments;
        const char* scope;
        int type;
        float dec;
        std::vector<std::pair<int, std::string>> expected;  // field index, text
    } cases[] = {
        {"empty scope, location, filter", "x", "", 6, 41.25f, {{13, " "}, {14, " "}, {15, " "}}},
        {"';' and a CR LF in the comments", "a;b\r\nc\nd", "", 6, 41.25f, {{16, "a,b c d"}}},
        {"';' in the scope, empty comments", "", "8\";f/5", 6, 41.25f, {{13, "8\",f/5"}, {16, " "}}},
        {"type outside the table", "x", "s", 42, 41.25f, {{5, " "}}},
        {"negative type", "x", "s", -1, 41.25f, {{5, " "}}},
        {"declination not a number", "x", "s", 6, std::nanf(""), {{7, " "}}},
    };
    for (const auto& c : cases) {
        ObserverLogRecord r = M31Record();
        SetLogText(r.comments, c.comments, 288);
        SetLogText(r.scope, c.scope, 20);
        r.location[0] = r.filter[0] = '\0';
        r.objectType = c.type;
        r.declination = c.dec;
        std::string line;
        FormatObserverLogLine(&line, r);
        ASSERT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << c.what;
        std::vector<std::string> fields = Fields(line);
        ASSERT_EQ(fields.size(), 17u) << c.what << ": " << line;
        for (const auto& [index, text] : c.expected) EXPECT_EQ(fields[static_cast<std::size_t>(index)], text) << c.what;
    }
}

// ---- files in a program folder ----

class ObserverLogFiles : public ObserverLogText {
protected:
    void SetUp() override {
        ObserverLogText::SetUp();
        ResetObserverLog();
    }
    void TearDown() override {
        pl::FailWritesAfter(-1);
        ResetObserverLog();
        ObserverLogText::TearDown();
    }
    fs::path Logs() const { return folder.path() / "userlogs"; }
    std::vector<std::string> Files() const { return FolderFileNames(Logs()); }
    void Put(const std::string& name, const Bytes& bytes) {
        fs::create_directories(Logs());
        std::ofstream(Logs() / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Bytes Read(const std::string& name) const {
        std::ifstream in(Logs() / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::string ReadText(const std::string& name) const {
        Bytes b = Read(name);
        return std::string(b.begin(), b.end());
    }
    // A record named `name` with `comments`, written as a new entry.
    bool Write(const char* name, const char* comments = "", const char* oldFile = nullptr) {
        ObserverLogRecord r = M31Record();
        SetLogText(r.name, name, 19);
        SetLogText(r.comments, comments, 287);
        return WriteObserverLogEntry(&r, oldFile);
    }
    std::string Listed(int i) const { return observerLogState.names[i].data(); }
    // A file as the messages name it, from the program folder.
    std::string Path(const std::string& name) const { return "userlogs\\" + name; }

    TempProgramFolder folder{"observer_log"};
    RecordingServices services;
};

// Sorted without regard to case, the extension in any case; temporary files
// and other files left out.
TEST_F(ObserverLogFiles, ListingOrder) {
    for (const char* name : {"vega.log", "Albireo.LOG", "M 31.log", "m13.log", "notes.txt", "x.log.tmp"})
        Put(name, HandMadeFile());
    ListObserverLogs();
    ASSERT_EQ(observerLogState.names.Count(), 4);
    EXPECT_EQ((std::vector<std::string>{Listed(0), Listed(1), Listed(2), Listed(3)}),
              (std::vector<std::string>{"Albireo.LOG", "M 31.log", "m13.log", "vega.log"}));
}

TEST_F(ObserverLogFiles, SavedNames) {
    ASSERT_TRUE(Write("M 31", "first"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"M 31.log"}));
    // Edited and saved under a new name: only the new file stays.
    ASSERT_TRUE(Write("M31", "second", "M 31.log"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"M31.log"}));
    // Saved under its own name: the one file stays.
    ASSERT_TRUE(Write("M31", "third", "M31.log"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"M31.log"}));
    // Saved as "m31": the file layer matches names without regard to case,
    // so the old file is not deleted; one file with the new contents.
    ASSERT_TRUE(Write("m31", "fourth", "M31.log"));
    ASSERT_EQ(Files().size(), 1u);
    ObserverLogRecord r;
    Bytes b = Read(Files()[0]);
    ASSERT_TRUE(DecodeObserverLogRecord(b.data(), b.size(), &r));
    EXPECT_EQ(std::string(r.comments), "fourth");
    EXPECT_EQ(r.magic, 123456789u);
    // A new entry never replaces another of its name: it is kept beside it
    // under the first free number, its own name unchanged; an edited one
    // stays in its own file. "a/b" stays in the folder.
    ASSERT_TRUE(Write("Vega"));
    const Bytes first = Read("Vega.log");
    ASSERT_TRUE(Write("Vega", "again"));
    ASSERT_TRUE(Write("VEGA", "third"));
    ASSERT_TRUE(Write("Vega", "edited", "Vega_2.log"));
    ASSERT_TRUE(Write("a/b"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"M31.log", "VEGA_3.log", "Vega.log", "Vega_2.log", "a_b.log"}));
    EXPECT_EQ(Read("Vega.log"), first);
    ASSERT_TRUE(DecodeObserverLogRecord(Read("Vega_2.log").data(), kObserverLogRecordSize, &r));
    EXPECT_EQ(std::string(r.name) + "|" + r.comments, "Vega|edited");
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObserverLogFiles, FailedSaveKeepsTheEarlierFile) {
    ASSERT_TRUE(Write("M 31", "kept"));
    const Bytes before = Read("M 31.log");
    for (long budget : {0L, 10L, 455L}) {
        pl::FailWritesAfter(budget);
        EXPECT_FALSE(Write("M 31", "lost")) << budget;
        EXPECT_EQ(Read("M 31.log"), before) << budget;
        // An edited entry saved under a new name that fails keeps its old file.
        pl::FailWritesAfter(budget);
        EXPECT_FALSE(Write("M31", "lost", "M 31.log")) << budget;
        EXPECT_EQ(Files(), (std::vector<std::string>{"M 31.log"})) << budget;
    }
    ASSERT_EQ(services.messages.size(), 6u);
    EXPECT_EQ(services.messages[0].text, "Fail to write log file.");
    EXPECT_EQ(services.messages[0].detail, Path("M 31_2.log"));
    EXPECT_EQ(services.messages[1].detail, Path("M31.log"));
}

// One entry, then two (the plural from 2), the header with chunk 1 and the
// lines in listing order; answered No, nothing is written.
TEST_F(ObserverLogFiles, ExportCountsHeaderAndLines) {
    Write("Vega", "a;b\nc");
    ASSERT_TRUE(ExportObserverLogs());
    EXPECT_EQ(services.questions, (std::vector<std::string>{"Do you want to export your Observer Logs to a text file ?"}));
    Write("Deneb");
    ASSERT_TRUE(ExportObserverLogs());
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"1 Observer log exported.", "2 Observer logs exported."}));
    EXPECT_EQ(ReadText("logs_2.txt"),
              "Zendavori Observer log 1\nDate;Time;Object;RA;Dec;Type;Obj Mag;Const;Moon;Sun;Vis. Mag;Transparency;"
              "Seeing;Scope;Location;Filter;Log\n"
              "14/03/2006;23:47;Deneb;00:42:45;41:15:00;Open Cluster;4.0;Andromeda;99%;-41\xB0;6.5;1;2;200mm;Home;"
              "UHC; \n"
              "14/03/2006;23:47;Vega;00:42:45;41:15:00;Open Cluster;4.0;Andromeda;99%;-41\xB0;6.5;1;2;200mm;Home;"
              "UHC;a,b c\n");
    services.yesNoAnswer = 1;
    fs::remove(Logs() / "logs_2.txt");
    EXPECT_FALSE(ExportObserverLogs());
    EXPECT_FALSE(fs::exists(Logs() / "logs_2.txt"));
}

// Entries that are all damaged are told and nothing is exported: no file and
// no count (it wrote an empty logs_1.txt and said "0 Observer log exported.").
TEST_F(ObserverLogFiles, ExportOfOnlyDamagedEntriesWritesNothing) {
    Put("Bad.log", Bytes(kObserverLogRecordSize, 0));
    EXPECT_FALSE(ExportObserverLogs());
    EXPECT_EQ(services.Texts(),
              (std::vector<std::string>{"It seems your log data are corrupted.", "Nothing to export."}));
    EXPECT_EQ(Files(), std::vector<std::string>{"Bad.log"});
}

// Every text field full: each line has the same length, counted here from its
// fields; a chunk is written before the entry that finds more than 15884
// characters, under that entry's position. Each count is one line, the file's
// name below it (a chunk's count ended with a line break, a blank line above
// the name).
TEST_F(ObserverLogFiles, EightyFullEntriesMakeThreeChunks) {
    const std::string comments(287, 'c'), scope(19, 's'), location(29, 'l'), filter(14, 'f');
    for (int i = 0; i < 80; ++i) {
        ObserverLogRecord r = M31Record();
        char name[20];
        std::snprintf(name, sizeof name, "Entry %013d", i);
        SetLogText(r.name, name, 19);
        SetLogText(r.comments, comments.c_str(), 287);
        SetLogText(r.scope, scope.c_str(), 19);
        SetLogText(r.location, location.c_str(), 29);
        SetLogText(r.filter, filter.c_str(), 14);
        ASSERT_TRUE(WriteObserverLogEntry(&r, nullptr));
    }
    const std::string line = "14/03/2006;23:47;" + std::string(19, 'E') + ";00:42:45;41:15:00;Open Cluster;4.0;" +
                             "Andromeda;99%;-41\xB0;6.5;1;2;" + scope + ";" + location + ";" + filter + ";" +
                             comments + "\n";
    const std::size_t headerSize = std::strlen(
        "Zendavori Observer log 1\nDate;Time;Object;RA;Dec;Type;Obj Mag;Const;Moon;Sun;Vis. Mag;Transparency;"
        "Seeing;Scope;Location;Filter;Log\n");
    const int perChunk = static_cast<int>((15884 - headerSize) / line.size()) + 1;
    ASSERT_LT(2 * perChunk, 80);
    ASSERT_TRUE(ExportObserverLogs());
    const std::string files[] = {"logs_" + std::to_string(perChunk) + ".txt",
                                 "logs_" + std::to_string(2 * perChunk) + ".txt", "logs_80.txt"};
    for (int k = 0; k < 3; ++k) {
        const std::string text = ReadText(files[k]);
        ASSERT_FALSE(text.empty()) << files[k];
        EXPECT_EQ(text.substr(0, 25), "Zendavori Observer log " + std::to_string(k + 1) + "\n") << files[k];
        const int lines = k < 2 ? perChunk : 80 - 2 * perChunk;
        EXPECT_EQ(text.size(), headerSize + lines * line.size()) << files[k];
    }
    const std::string counts[] = {std::to_string(perChunk) + " Observer logs exported.",
                                  std::to_string(2 * perChunk) + " Observer logs exported.",
                                  "80 Observer logs exported."};
    EXPECT_EQ(services.Texts(), std::vector<std::string>(std::begin(counts), std::end(counts)));
}

// A chunk that cannot be written is told with its path; the export stops and
// reports no count for the text dropped.
TEST_F(ObserverLogFiles, FailedExportStops) {
    Write("Vega");
    Write("Deneb");
    pl::FailWritesAfter(20);
    EXPECT_FALSE(ExportObserverLogs());
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Fail to write log file."}));
    EXPECT_EQ(services.messages[0].detail, Path("logs_2.txt"));
    EXPECT_FALSE(fs::exists(Logs() / "logs_2.txt"));
    EXPECT_FALSE(fs::exists(Logs() / "logs_2.txt.tmp"));
}

// ---- a new entry's values ----

class ObserverLogNewEntry : public ObserverLogFiles {
protected:
    void SetUp() override {
        ObserverLogFiles::SetUp();
        SetTestSite(51.0, 0.0, 0);
        ASSERT_TRUE(AllocObserverLogRecord());
        observerLogState.working = DateTime{2006, 3, 14, 23, 47, 0};
        ClearSelectedObject();
        currentObject = ObjectRecord{};
    }
    void TearDown() override {
        FreeSelectionList();
        ObserverLogFiles::TearDown();
    }
    const ObserverLogRecord& Record() const { return *observerLogState.record; }
};

// Full Moon 2006 March 14 at 23:35 UT (Astronomical Almanac); the Sun's
// altitude at 51 N, 0, 23:47 UT is -41.06 degrees by PyEphem 4.1
// (scripts/reference/observer_log_sky_pyephem.py).
TEST_F(ObserverLogNewEntry, SkyValuesAtTheFullMoonOf2006March14) {
    BuildNewObserverLogRecord();
    EXPECT_GE(Record().moonPercent, 99);
    EXPECT_LE(Record().moonPercent, 100);
    EXPECT_EQ(Record().sunAltitude, -41);
    EXPECT_NEAR(observerLogState.sunAltitude, -41.06, 0.05);
    EXPECT_EQ(std::string(Record().filter), "None");
    EXPECT_EQ(std::string(Record().scope), std::to_string(GetScopeApertureMm()) + "mm");
    SkyBrightnessRecord sky{};
    ComputeLimitingMagnitude(&sky, 2006, 3, 14, 23, 47);
    EXPECT_EQ(Record().visualLimit10, static_cast<int>(sky.limitingMagnitude * 10));
    EXPECT_EQ(std::string(Record().name), "");
    EXPECT_EQ(Record().magic, 0u);
}

// The finder target's name (14 characters) and values; without one, the
// current observing-list row's, its magnitude tenths made whole.
TEST_F(ObserverLogNewEntry, WorkedObject) {
    currentObject.objectType = 3;
    currentObject.magnitude = 8.7f;
    BuildNewObserverLogRecord();
    EXPECT_EQ((std::vector<int>{Record().objectType, Record().objectMagnitude}), (std::vector<int>{3, 8}));

    ObjectRecord target{};
    target.objectType = 6;
    target.magnitude = -1.46f;
    target.rightAscension = 6.75f;
    target.declination = -16.7f;
    SetObjectRecordName(&target, "Sirius the Dog Star");
    SetSelectedObject(&target, 0);
    BuildNewObserverLogRecord();
    EXPECT_EQ(std::string(Record().name), "Sirius the Dog");
    EXPECT_EQ((std::vector<int>{Record().objectType, Record().objectMagnitude}), (std::vector<int>{6, -1}));
    EXPECT_EQ(Record().rightAscension, 6.75f);
    EXPECT_EQ(currentObject.objectType, 6u);  // the target becomes the current object

    ClearSelectedObject();
    ASSERT_EQ(AllocSelectionList(), 1);
    SelectionEntry& e = selectionList[0];
    std::snprintf(e.name, sizeof e.name, "%s", "Albireo A");
    e.number = 1;
    e.objectType = 5;
    e.mag10 = 35;
    e.rightAscension = 19.5f;
    e.declination = 27.96f;
    selectionCount = 1;
    selectionShownCount = FilterSelectionByClass(0, selectionList, 1);
    selectionCurrentRow = 0;
    BuildNewObserverLogRecord();
    EXPECT_EQ(std::string(Record().name), "Albireo A");
    EXPECT_EQ((std::vector<int>{Record().objectType, Record().objectMagnitude}), (std::vector<int>{5, 3}));
    EXPECT_EQ(Record().declination, 27.96f);
    // A current row past the shown rows names nothing.
    selectionCurrentRow = 1;
    BuildNewObserverLogRecord();
    EXPECT_EQ(std::string(Record().name), "");
}

// A name other than the one the values were taken for, with no catalogue
// open, names no object: no type, place or magnitude; also after a save that
// failed and a new date that retook the worked object's values (they belong
// to its name, not the typed one). The prefilled name, in another case or with
// other blanks, keeps them.
TEST_F(ObserverLogNewEntry, TypedNameNamesNoObjectWithoutACatalogue) {
    ObjectRecord target{};
    target.objectType = 6;
    target.magnitude = 4.5f;
    target.rightAscension = 6.75f;
    SetObjectRecordName(&target, "Sirius B");
    SetSelectedObject(&target, 0);
    const struct {
        const char* typed;
        bool newDate, kept;
    } cases[] = {{"Sirius B", false, true}, {"SIRIUS  b", true, true}, {"Comet seen", false, false},
                 {"Comet seen", true, false}};
    observerLogState.mode = kLogNewEntry;
    for (const auto& c : cases) {
        BuildNewObserverLogRecord();
        ObserverLogRecord& r = *observerLogState.record;
        SetLogText(r.name, c.typed, 19);
        if (c.newDate) {
            TakeObserverLogObjectOfName();  // a save that failed
            RetakeObserverLogSkyAndPlace();
        }
        TakeObserverLogObjectOfName();
        EXPECT_EQ((std::vector<double>{1.0 * r.objectType, 1.0 * r.objectMagnitude, r.rightAscension}),
                  c.kept ? (std::vector<double>{6, 4, 6.75}) : (std::vector<double>{kLogNoObjectType, 0, 0}))
            << c.typed << " " << c.newDate;
    }
    EXPECT_TRUE(IsObjectSelected());
}

TEST_F(ObserverLogNewEntry, EditedEntryDatesOnlyWhenTheyAreDates) {
    const struct {
        int year, month, day, hour, minute;
        bool taken;
    } cases[] = {
        {2024, 2, 29, 22, 5, true}, {2023, 2, 29, 22, 5, false}, {2024, 13, 1, 0, 0, false},
        {2024, 1, 1, 24, 0, false}, {2024, 1, 1, 0, 60, false},  {2200, 1, 1, 0, 0, false},
        {-1, 1, 1, 0, 0, false},    {2147483647, 1, 1, 0, 0, false},
    };
    for (const auto& c : cases) {
        observerLogState.working = DateTime{2006, 3, 14, 23, 47, 0};
        ObserverLogRecord r;
        r.year = c.year;
        r.month = c.month;
        r.day = c.day;
        r.hour = c.hour;
        r.minute = c.minute;
        EXPECT_EQ(TakeObserverLogRecordDate(r), c.taken) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(observerLogState.working.year, c.taken ? c.year : 2006);
    }
}

}  // namespace
