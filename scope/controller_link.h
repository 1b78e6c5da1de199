// What the ServoCat, SkyCommander, SiderealTech and Takahashi drivers share:
// opening the scope port, and the numbers of replies in plain decimal text.
// A reply is raw bytes, not NUL-terminated; a field is read only when it
// starts with a number, so that garbage or a cut reply is a failed read
// rather than a zero.
#pragma once

#include "scope/scope_place.h"

// Opens the scope port (preference word 1) at `baud`; "Fail to open serial
// connection" when it cannot. With `busy` the busy indicator is stepped
// while the port settles. 1 or 0.
int OpenScopePort(int baud, bool busy);

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
