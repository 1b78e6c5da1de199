// The preferences kept between runs: the whole preference block, the site and
// the alignment's saved star pair in "zendavori.prefs" of the program folder,
// written through a temporary file and a rename, read back at start-up after
// ValidatePreferences.
//
// Layout, every number little-endian:
//   offset  size
//        0     4  magic "ZDPF"
//        4     4  format version, 1
//        8     4  word count n (kPreferenceWordCount in version 1)
//       12     4  CRC-32 (ISO-HDLC, as zlib's crc32) of every byte after the header
//       16    4n  the words 0..n-1
//   16+4n    126  currentSite field by field in its record's order (no padding)
//  142+4n    256  the alignment's saved star pair (zeros while no hook is installed)
// A later version may hold more words and more bytes after the stars: the
// known words are taken and the rest is ignored.
#pragma once

#include <cstdint>

constexpr char kPreferencesFile[] = "zendavori.prefs";
constexpr char kPreferencesTemporaryFile[] = "zendavori.prefs.tmp";
constexpr char kPreferencesDamagedFile[] = "zendavori.prefs.bad";
constexpr int kPreferencesFileVersion = 1;
constexpr int kSavedAlignmentSize = 256;

// Writes the block, currentSite and the saved star pair. True when the file
// was replaced; otherwise the previous file is left whole and "Could not save
// the preferences." is shown, once until a save succeeds again.
bool SavePreferences();

enum class PreferencesLoad {
    Loaded,   // the user's settings were taken from the file
    Missing,  // no file (the first start): nothing changed, nothing said
    Damaged   // short, foreign, of another word count or failing its CRC:
              // nothing changed, the file moved to zendavori.prefs.bad and the
              // user told "The saved preferences could not be read; the defaults are used."
};

// Takes the user's words and currentSite from the file through their range
// checks (TakeSavedPreferences, TakeSavedSite; a site out of range becomes the
// default site, and the user is told as for a damaged file, once) and hands
// the saved star pair to the alignment's hook; while none is installed the saved alignment time is
// set to 0, so no restore is offered that could not be carried out.
PreferencesLoad LoadPreferences();

// The alignment's saved star pair, kept after the site: `write` fills the
// bytes to save, `read` takes the bytes loaded.
struct SavedAlignmentHook {
    void (*write)(uint8_t bytes[kSavedAlignmentSize]) = nullptr;
    void (*read)(const uint8_t bytes[kSavedAlignmentSize]) = nullptr;
};
// Installs the hook (both members or neither); returns the one it replaces.
SavedAlignmentHook InstallSavedAlignmentHook(const SavedAlignmentHook& hook);

// True once LoadPreferences has taken the user's settings from the file this
// run; false on a first start and after a damaged file.
bool PreferencesWereLoaded();

// Forgets that a failed save was reported and that the file was loaded
// (start of a run, tests).
void ResetPreferencesFile();
