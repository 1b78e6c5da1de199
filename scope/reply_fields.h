// Numbers in the replies of the hand controllers that answer in plain
// decimal text (ServoCat, SkyCommander, SiderealTech). A reply is raw bytes,
// not NUL-terminated; a field is read only when it starts with a number, so
// that garbage or a cut reply is a failed read rather than a zero.
#pragma once

// Bytes [begin, end) of `reply` (end is cut to `length`) read as a decimal
// number (ParseDouble): leading blanks, an optional sign, then digits with an
// optional fraction, at least one digit. Returns false, leaving *value alone,
// when the field holds no number.
bool ReadReplyNumber(const char* reply, int length, int begin, int end, double* value);

// The same field read as a decimal integer (ParseInt): an optional sign, then
// digits. False when there is no digit or the value does not fit 32 bits.
bool ReadReplyInteger(const char* reply, int length, int begin, int end, long* value);
