// What the drivers share: opening the scope port, the second lines of a goto
// or sync that the mount's reply failed, a failed command shown in readable
// form, and the numbers of replies in plain decimal text. A reply is raw
// bytes, not NUL-terminated; a field is read only when it starts with a
// number, so that garbage or a cut reply is a failed read rather than a zero.
#pragma once

#include <cstddef>
#include <string>

#include "scope/scope_place.h"

// Second lines of "Goto failed" and "Sync failed" when the mount said no to a
// coordinate, answered something else, or said nothing in time.
inline constexpr char kMountRefusedCoordinates[] = "The mount refused the coordinates";
inline constexpr char kMountReplyNotUnderstood[] = "The mount's reply was not understood";
inline constexpr char kNoReplyFromMount[] = "No reply from the mount";

// Opens the scope port (preference word 1) at `baud`; "Fail to open serial
// connection" when it cannot, unless no port is selected (the serial layer
// has said so). With `busy` the busy indicator is stepped while the port
// settles. 1 or 0.
int OpenScopePort(int baud, bool busy);

// A command's bytes as the user can read them: the mount's degree sign (223)
// as the program's (0xB0), every other byte outside 32..126 as "\xNN".
std::string PrintableCommand(const char* bytes, std::size_t n);
inline std::string PrintableCommand(const std::string& bytes) { return PrintableCommand(bytes.data(), bytes.size()); }

// "Fail to send string" with the command in readable form.
void ShowSendFailure(const std::string& command);

// A place read from a controller: right ascension 0..24 h (24 taken as 0)
// and declination within 90 deg go to the outputs; false leaves them alone.
bool AcceptSkyPlace(double hours, double degrees, double* ra, double* dec);

// The route read of a controller that works in J2000: its query, then the
// place turned to the place of date at the clock (CatalogPlaceToDate).
template <int (*query)(double* ra, double* dec)>
int ReadPlaceOfDate(double* ra, double* dec);

// Bytes [begin, end) of `reply` (end is cut to `length`) read as a decimal
// number (ParseDouble): leading blanks, an optional sign, then digits with an
// optional fraction, at least one digit. Returns false, leaving *value alone,
// when the field holds no number.
bool ReadReplyNumber(const char* reply, int length, int begin, int end, double* value);

// The same field read as a decimal integer (ParseInt): an optional sign, then
// digits. False when there is no digit or the value does not fit 32 bits.
bool ReadReplyInteger(const char* reply, int length, int begin, int end, long* value);

template <int (*query)(double* ra, double* dec)>
int ReadPlaceOfDate(double* ra, double* dec) {
    if (!query(ra, dec)) return 0;
    CatalogPlaceToDate(ra, dec);
    return 1;
}
