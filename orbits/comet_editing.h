// Editing the comet database from the orbit assistant's element display: the
// texts of the element fields read into a record (with the checks that keep
// a record the orbit solver can use), and the record rewritten, appended or
// removed through a temporary copy of the database renamed over it.
#pragma once

#include <string>

#include "catalog/comet_satellite_db.h"
#include "core/shared_state.h"

// The texts of the element fields: the date (perihelion time of a comet, epoch
// of a minor planet), q or a, the mean anomaly (minor planets), e, the
// argument of perihelion, the node, the inclination and H.
struct CometElementTexts {
    std::string name, year, month, day, distance, meanAnomaly, eccentricity, argPerihelion, node, inclination,
        magnitude;
};

// Reads the texts into `record`, the record whose texts the editor showed
// (kind 13 for a comet, 18 for a minor planet; the slope and the bytes not
// shown are kept). A field whose text is the one `record` shows keeps its
// stored value bit for bit; only an edited field takes the value typed (every
// field when the record is of the other kind). Each field is read once as a
// plain decimal number (blanks around it and a sign allowed; no exponent),
// correctly rounded to the precision the record keeps it in, and that value is
// checked and stored: a whole year -32768..32767 and month 1..12, a day from 0
// (the astronomers' day 0) to the month's last day + 1, q or a 0.00001..10000
// AU, the mean anomaly (minor planets), the argument of perihelion and the
// node 0..360 degrees, the inclination 0..180 degrees, e from 0 to 0.99999
// for a minor planet and to 100 for a comet, H within -100..100: every value
// taken shows a text that is taken again. A minor planet whose epoch, a, e or
// M was edited also gets what the solver reads: q = a (1 - e) and the
// perihelion time epoch - M / n with n = 0.9856076686 / a^1.5 degrees a day,
// as year, month and day, which must fall in the years -32767..32767.
// False with the refusal of the first field refused in *refused ("Inclination
// must be between 0 and 180\xB0") and the record untouched.
bool ReadCometElementTexts(const CometElementTexts& texts, bool comet, CometRecord* record, std::string* refused);

// The texts of a record as the element display shows them (a comet's
// perihelion date; a minor planet's epoch with day + hour / 24 + minute /
// 1440, seconds dropped, its a and M).
CometElementTexts CometElementTextsOf(const CometRecord& record);

// The date the date fields show (a comet's perihelion time or a minor
// planet's epoch, both universal time: year, month and day with fraction) as
// a calendar date and time, to the nearest second. False, and `t` untouched,
// when the texts are no date that ReadCometElementTexts takes.
bool ReadCometElementDate(const CometElementTexts& texts, DateTime* t);

// The date fields' texts of a date and time in universal time: the year, the
// month and the day with the fraction of its hours, minutes and seconds (4
// decimals), as ReadCometElementTexts reads them.
void WriteCometElementDate(const DateTime& t, CometElementTexts* texts);

// Writes `record` over record `index` of the comet database, or appends it
// when `index` is -1 (a new database when there is none); then opens the
// database again, and the list's comet entries find their records by name
// (MatchListedComets: a record renamed within its first 14 characters keeps
// the entries of its old name only when it continues that name after a
// space). A record equal to the one stored writes nothing. Returns the
// record's index, or -1 after "Could not save comet database" with the file
// as it was; nothing is written when the file is there but it or one of its
// records cannot be read (the detail "data/<file> could not be read; it is
// left as it is.").
int SaveCometRecord(int index, const CometRecord& record);

// Removes record `index`, and the observing list's comet and asteroid entries
// follow their records (MatchListedComets); false after "Could not save
// comet database" (the file and the list as they were) or when there is no
// such record.
bool DeleteCometRecord(int index);
