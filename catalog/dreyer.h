// Expansion of the abbreviated visual descriptions of the NGC and IC catalogues
// (Dreyer's notation: "vF, S, R, bM" is "very faint, small, round, brighter
// middle") into plain words, by two abbreviation tables.
#pragma once

#include <cstddef>

// One abbreviation and its expansion.
struct DreyerTerm {
    char abbreviation[7];
    char expansion[43];
};

constexpr int kDreyerTermCount = 47;

// The tables in matching order: a longer abbreviation stands before every
// shorter one that begins it. Table A is tried before table B.
extern const DreyerTerm dreyerTermsA[kDreyerTermCount];
extern const DreyerTerm dreyerTermsB[kDreyerTermCount];

// Output buffer size of the information boxes.
constexpr std::size_t kDreyerLongSize = 200;

// Expands `description` (as FindDreyerDescription delivers it, at most 49
// characters) into `output` of `capacity` bytes. Each expansion is followed by
// one blank, every input blank is kept, a comma becomes ", "; number runs,
// parenthesised texts and the text after "=" are copied unexpanded. The
// translation ends once the output passes 190 characters; nothing is ever
// written past `capacity` (the last step is cut there) and the output is
// terminated. An empty description writes nothing at all.
void TranslateDreyerDescription(const char* description, char* output, std::size_t capacity);

// The table matchers of the translation in progress: when a row matches at
// `input` (case-sensitive prefix test; in table B "p" reads "pretty" only before
// F, B, L, S, R or with an "i" two places on), append its expansion and a blank
// at `outputEnd`, advance the translation past the abbreviation and return
// true; otherwise write nothing and return false. Valid only inside
// TranslateDreyerDescription.
bool ExpandDreyerTermA(const char* input, char* outputEnd);
bool ExpandDreyerTermB(const char* input, char* outputEnd);
