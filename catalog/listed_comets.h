// The observing list's comet and asteroid entries (designation 12) name their
// record of the comet file by the name they show. The record number an entry
// holds is only where that name was last found: a list file or a memo written
// before a record was removed holds numbers that now lead to other records.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Finds each comet entry's record again by its name. A record's name as the
// list shows it is its first 14 characters (a shorter name whole), and an
// entry names a record that shows its name, or continues it after a space
// (a record renamed "C/2027 Z1 (PanSTARRS)" still names the entry "C/2027 Z1";
// "C/2027 Z10" does not). A record is held by one entry at most. An entry keeps
// its number while that record shows its name, and while it continues its
// name unless the record shows the own name of an entry that holds no record
// of its name (that entry has the better claim: a list kept before a record
// was removed holds numbers of the next record). Only the entries left search
// again: each takes the first record of its name that no entry holds, then
// the others the first free record that continues theirs; else it names none
// (number -1: shown, but placed and sent nowhere). An entry that takes another
// record is marked placeUnknown until the list is placed again, and its source
// index follows its number.
// `removed` >= 0: that record was just taken out of the file, and the entries
// of the records after it first move down one with them, so that each entry of
// two records of one name keeps its own.
// The comet file's names are read once per call, and only for a list that has
// comet entries. Nothing happens while the comet file is closed: the numbers
// wait for it. Otherwise selectionListChanges goes up (the places are computed
// again from the file as it is now); returns whether an entry changed record.
bool MatchListedComets(int removed = -1);

// The comet file's names as memo lines name their records, read once for an
// import. A line carries a name that may be longer than the 14 characters an
// entry keeps: a record shows a line's name when their first 14 characters
// agree and, for a longer name, the record's whole name is the line's (43
// characters at most), so "C/2031 B1 (LINEAR-A)" and "C/2031 B1 (LINEAR-B)"
// name two records. Nothing while the comet file is closed.
class CometLineNames {
public:
    // How a line's name gives records without its number, the strongest first:
    // they show it; they show its first 14 characters (a longer name no record
    // shows whole); they continue these after a space.
    enum class Claim { Shows, ShowsIn14, Continues };

    CometLineNames();
    bool IsOpen() const { return open_; }
    int Count() const { return static_cast<int>(names_.size()); }
    // `number` when that record shows the line's name, or continues it after a
    // space while no record shows it (an exact name has the better claim: a
    // memo written before a delete holds the next record's numbers); else -1.
    int RecordOfNumber(int number, const std::string& name) const;
    // Whether record `number` continues the name after a space.
    bool Continues(int number, const std::string& name) const;
    // The records a line's name gives without its number, in file order, and
    // how (`claim`): those that show it, else those that show its first 14
    // characters, else those that continue these after a space; none when no
    // record has the name.
    std::vector<int> RecordsOfName(const std::string& name, Claim* claim = nullptr) const;

private:
    using NameIndex = std::unordered_map<std::string, std::vector<int>>;
    std::vector<int> Showing(const std::string& name) const;
    const NameIndex& Continued() const;

    bool open_ = false;
    std::vector<std::string> names_;  // whole names by record
    NameIndex shown_;                 // records by their first 14 characters
    mutable std::optional<NameIndex> continued_;  // records by each name they continue, made when first asked
};
