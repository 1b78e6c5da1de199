// GPS input: one position read from a receiver that sends NMEA 0183 sentences
// on the serial port of the "GPS Port" preference (9600 baud, 8N1), taken
// from a "GPGGA" or a "GPRMC" sentence and written as the location form's
// coordinate texts: "DD°MM'SS H" for the latitude (10 characters) and
// "DDD°MM'SS H" for the longitude (11), the degree sign byte 0xB0.
#pragma once

#include <string_view>

// The receive buffer of one reading, zeroed.
constexpr int kGpsBufferSize = 1024;
struct GpsBuffers {
    char receive[kGpsBufferSize];
    int received;
};

// Room for a coordinate text and its terminator.
constexpr int kNmeaTextSize = 12;

// Reads the port of the GPS preference into a new GpsBuffers and takes the
// position from it (ParseNmeaSentence). The port is shared with a telescope
// drive that keeps its own open: a port held open is really closed first, the
// GPS port is really closed after the reading, and the drive's keep-open
// switch comes back, so the drive reopens its port at its next command. With
// the preference 0 nothing is read. True when `latitude` (and `longitude`)
// received a text; otherwise both are empty.
bool ReadGpsFix(char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]);

// Reads at least 800 bytes from the open port in reads of at most 80 (so at
// most 879), then scans them (ScanNmeaBuffer). More than 10 reads that bring
// nothing end the reading: false with the texts unchanged.
bool ParseNmeaSentence(GpsBuffers* buffers, char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]);

// Scans the offsets 0..719 of `data` for "$": a "GPRMC" sentence gives the
// texts (fields 3 to 6) and the scan goes on; a "GPGGA" sentence gives them
// (fields 2 to 5) and ends the scan with true; others are skipped. The end of
// the scan returns false, the texts holding what the last "GPRMC" gave.
// A sentence runs to the end of its line (CR, LF or the next "$"); its fields
// are separated by "," and end at "*". One whose "*hh" does not match the
// exclusive or of its characters between "$" and "*" is skipped as line
// noise. Fields that are not a position (see FormatNmeaLatitude) give empty
// texts.
bool ScanNmeaBuffer(std::string_view data, char (&latitude)[kNmeaTextSize], char (&longitude)[kNmeaTextSize]);

// The text of a DDMM.mmmm latitude field and its hemisphere field (its first
// character after blanks and tabs, N or S): degrees, "°", minutes, "'", the
// first two decimals of the minutes (a missing one read as 0) x 60 / 100 as
// seconds, truncated, a blank and the letter. Empty for an empty field and
// for one that is no latitude (not two degree and two minute digits followed
// by a point and digits, minutes of 60 or more, beyond 90°, another letter).
void FormatNmeaLatitude(char (&text)[kNmeaTextSize], std::string_view field, std::string_view hemisphere);

// The same for a DDDMM.mmmm longitude field: three degree digits, at most
// 180°, the hemisphere field's first character (E or W) as it stands.
void FormatNmeaLongitude(char (&text)[kNmeaTextSize], std::string_view field, std::string_view hemisphere);
