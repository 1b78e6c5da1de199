// Texts of the home form's status block.
#pragma once

#include <cstddef>

#include "core/shared_state.h"

// ": %02dh%02d" of the universal time of a local date and time at a zone
// (minutes), followed by " <" when the universal date is before the local one
// and " >" when after (whole dates: across months and years).
void FormatUniversalTime(char* out, std::size_t size, const DateTime& local, int zoneMinutes);

// ": %02dh%02d" of a time in hours, truncated to the minute.
void FormatHoursMinutes(char* out, std::size_t size, double hours);

// ": %s%%" of the illuminated fraction f: 100 f rounded once to a whole percent.
void FormatPhasePercent(char* out, std::size_t size, float fraction);

// The bitmap of the Moon's phase for an illuminated fraction and direction:
// 6064 full (above 0.996), 6065 new (below 0.004), waxing 6051 + trunc(6f),
// waning 6062 - trunc(6f).
int MoonIconForPhase(float fraction, bool waxing);

// Whether the Moon waxes at the hour: the fraction an hour later is larger
// (an hour earlier smaller from 22 h on).
bool IsMoonWaxing(int year, int month, int day, int hour, float fraction);
