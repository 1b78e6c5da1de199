#include "scope/alignment_restore.h"

#include <array>
#include <bit>
#include <cstring>

#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "scope/alignment.h"
#include "scope/encoder_offsets.h"

int restoreOffered = 1;
void (*restoreAlignmentHook)() = nullptr;

namespace {

constexpr int kStarBytes = 128;
static_assert(2 * kStarBytes == kSavedAlignmentSize);

void PutU32(uint8_t*& p, uint32_t v) {
    for (int i = 0; i < 4; ++i) *p++ = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t TakeU32(const uint8_t*& p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(*p++) << (8 * i);
    return v;
}

void PutDouble(uint8_t*& p, double d) {
    uint64_t bits = std::bit_cast<uint64_t>(d);
    PutU32(p, static_cast<uint32_t>(bits));
    PutU32(p, static_cast<uint32_t>(bits >> 32));
}

double TakeDouble(const uint8_t*& p) {
    uint64_t low = TakeU32(p);
    return std::bit_cast<double>(low | uint64_t{TakeU32(p)} << 32);
}

// The twelve doubles of a star, in the record's order.
auto Doubles(AlignmentStar& s) {
    return std::array<double*, 12>{&s.time,      &s.ra,        &s.dec,        &s.reading1,
                                   &s.reading2,  &s.model1,    &s.model2,     &s.measured1,
                                   &s.measured2, &s.corrected1, &s.corrected2, &s.sidereal};
}

void PutStar(uint8_t* p, AlignmentStar s) {
    PutU32(p, static_cast<uint32_t>(s.index));
    std::memcpy(p, s.name, sizeof s.name);
    p += sizeof s.name;
    for (double* d : Doubles(s)) PutDouble(p, *d);
    PutU32(p, static_cast<uint32_t>(s.kind));
    PutU32(p, 0);
}

void TakeStar(const uint8_t* p, AlignmentStar& s) {
    s.index = static_cast<int32_t>(TakeU32(p));
    std::memcpy(s.name, p, sizeof s.name);
    s.name[sizeof s.name - 1] = '\0';
    p += sizeof s.name;
    for (double* d : Doubles(s)) *d = TakeDouble(p);
    s.kind = static_cast<int32_t>(TakeU32(p));
}

}  // namespace

void AskRestoreLastAlignment() {
    if (IsAlignmentValid() == 0 && restoreOffered == 1) {
        const DateTime& t = currentDateTime;
        double now = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
        if (now - preferences.GetDouble(kPrefAlignmentSavedJd) < 0.5) {
            if (AskYesNo("Would you want to restore your last alignment?") == 0) {
                if (restoreAlignmentHook) restoreAlignmentHook();
            } else {
                preferences.SetDouble(kPrefAlignmentSavedJd, 0.0);
                preferences.word[kPrefSavedEncoderAlt] = 0;
                preferences.word[kPrefSavedEncoderAz] = 0;
                ResetEncoderOffsets();
            }
        }
    }
    restoreOffered = 0;
}

void WriteSavedAlignStars(uint8_t bytes[256]) {
    PutStar(bytes, savedAlignStar1);
    PutStar(bytes + kStarBytes, savedAlignStar2);
}

void ReadSavedAlignStars(const uint8_t bytes[256]) {
    TakeStar(bytes, savedAlignStar1);
    TakeStar(bytes + kStarBytes, savedAlignStar2);
}

void InstallSavedAlignStars() {
    SavedAlignmentHook hook;
    hook.write = WriteSavedAlignStars;
    hook.read = ReadSavedAlignStars;
    InstallSavedAlignmentHook(hook);
}

void ResetAlignmentRestore() {
    preferences.SetDouble(kPrefAlignmentSavedJd, 0.0);
    restoreOffered = 1;
    restoreAlignmentHook = nullptr;
}
