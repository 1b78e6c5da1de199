#include "catalog/deep_sky_types.h"

#include <cstring>

const DeepSkyTypeRow deepSkyTypeTexts[kDeepSkyTypeCount] = {
    {"        ", 0},  // 0
    {"*Grp    ", 0},  // 1
    {"1 Ir    ", 0},  // 2
    {"3 Ir    ", 0},  // 3
    {"3 Ir G  ", 0},  // 4
    {"3b      ", 0},  // 5
    {"4 C G   ", 0},  // 6
    {"4 C?    ", 0},  // 7
    {"4 Co G  ", 0},  // 8
    {"4 E     ", 0},  // 9
    {"4 G     ", 0},  // 10
    {"4 Ir    ", 0},  // 11
    {"4 Ir G  ", 0},  // 12
    {"4 S     ", 0},  // 13
    {"5 C     ", 0},  // 14
    {"5 C G   ", 65},  // 15
    {"5 E     ", 0},  // 16
    {"5 E G   ", 0},  // 17
    {"5 Ir    ", 0},  // 18
    {"5 Ir G  ", 0},  // 19
    {"5 K     ", 0},  // 20
    {"5 K G   ", 0},  // 21
    {"5 S     ", 65},  // 22
    {"6 C     ", 0},  // 23
    {"6 C G   ", 0},  // 24
    {"6 Co    ", 33},  // 25
    {"6 Co G  ", 0},  // 26
    {"6 E     ", 0},  // 27
    {"6 E G   ", 0},  // 28
    {"6 E? G  ", 0},  // 29
    {"6 Ir    ", 0},  // 30
    {"6 Ir G  ", 0},  // 31
    {"6 K     ", 0},  // 32
    {"6 K G   ", 0},  // 33
    {"6 S G   ", 0},  // 34
    {"C       ", 0},  // 35
    {"C/P     ", 0},  // 36
    {"C+C     ", 0},  // 37
    {"cD      ", 0},  // 38
    {"D       ", 0},  // 39
    {"dE4     ", 0},  // 40
    {"E       ", 89},  // 41
    {"E M     ", 0},  // 42
    {"E/P     ", 87},  // 43
    {"E/S0    ", 0},  // 44
    {"E/SB0   ", 0},  // 45
    {"E?      ", 89},  // 46
    {"E+*     ", 0},  // 47
    {"E+C     ", 0},  // 48
    {"E+C?    ", 0},  // 49
    {"E+E     ", 0},  // 50
    {"E+E?    ", 0},  // 51
    {"E+R     ", 0},  // 52
    {"E+S     ", 0},  // 53
    {"E0      ", 0},  // 54
    {"E0/P    ", 0},  // 55
    {"E1      ", 84},  // 56
    {"E1/P    ", 0},  // 57
    {"E2      ", 49},  // 58
    {"E2/P    ", 0},  // 59
    {"E3      ", 86},  // 60
    {"E4      ", 0},  // 61
    {"E4/P    ", 0},  // 62
    {"E5      ", 110},  // 63
    {"E5/P    ", 0},  // 64
    {"E6      ", 0},  // 65
    {"E6/P    ", 0},  // 66
    {"EN      ", 8},  // 67
    {"EN+OCL  ", 17},  // 68
    {"EN+RN   ", 42},  // 69
    {"E-S0    ", 0},  // 70
    {"E-S0/P  ", 0},  // 71
    {"GCL     ", 71},  // 72
    {"I       ", 75},  // 73
    {"I 1 m :b", 23},  // 74
    {"I 1 p   ", 75},  // 75
    {"I 1m:b  ", 75},  // 76
    {"I 1p :b ", 75},  // 77
    {"I 1pn:b ", 75},  // 78
    {"I 2 p   ", 25},  // 79
    {"I 2 p n ", 25},  // 80
    {"I 2m :b ", 75},  // 81
    {"I 2mn:b ", 75},  // 82
    {"I 2p :a ", 75},  // 83
    {"I 2p :b ", 75},  // 84
    {"I 2pn:b ", 75},  // 85
    {"I 2r :b ", 75},  // 86
    {"I 3 p   ", 75},  // 87
    {"I 3 r :a", 75},  // 88
    {"I 3m :b ", 75},  // 89
    {"I 3p :a ", 75},  // 90
    {"I 3r :a ", 75},  // 91
    {"I/P     ", 75},  // 92
    {"I1m     ", 26},  // 93
    {"I1p     ", 0},  // 94
    {"I1pn    ", 0},  // 95
    {"I1r     ", 24},  // 96
    {"I2m     ", 48},  // 97
    {"I2p     ", 0},  // 98
    {"I2pn    ", 0},  // 99
    {"I2r     ", 11},  // 100
    {"I3m     ", 21},  // 101
    {"I3p     ", 0},  // 102
    {"I3pn    ", 0},  // 103
    {"I3r     ", 0},  // 104
    {"IBm     ", 0},  // 105
    {"IBm/P   ", 0},  // 106
    {"II      ", 80},  // 107
    {"II 1 m  ", 80},  // 108
    {"II 1 mn:", 80},  // 109
    {"II 1 p  ", 80},  // 110
    {"II 1 p n", 80},  // 111
    {"II 1m:b ", 80},  // 112
    {"II 1p :a", 80},  // 113
    {"II 1p :b", 80},  // 114
    {"II 1pn:b", 80},  // 115
    {"II 1r :b", 80},  // 116
    {"II 2 m  ", 44},  // 117
    {"II 2 p  ", 18},  // 118
    {"II 2 p n", 18},  // 119
    {"II 2 r  ", 7},  // 120
    {"II 2m :b", 44},  // 121
    {"II 2p :a", 18},  // 122
    {"II 2p :b", 18},  // 123
    {"II 2r :b", 18},  // 124
    {"II 3 m  ", 18},  // 125
    {"II 3 p  ", 18},  // 126
    {"II 3 r  ", 18},  // 127
    {"II 3p :a", 18},  // 128
    {"II 3pn:b", 18},  // 129
    {"II1m    ", 0},  // 130
    {"II1p    ", 0},  // 131
    {"II1r    ", 37},  // 132
    {"II2m    ", 44},  // 133
    {"II2mn   ", 44},  // 134
    {"II2p    ", 18},  // 135
    {"II2r    ", 7},  // 136
    {"II3m    ", 50},  // 137
    {"II3mn   ", 16},  // 138
    {"II3p    ", 0},  // 139
    {"II3pn   ", 18},  // 140
    {"II3r    ", 0},  // 141
    {"II3rn   ", 0},  // 142
    {"III     ", 54},  // 143
    {"III 1 m ", 23},  // 144
    {"III 1 m ", 23},  // 145
    {"III 1 p ", 54},  // 146
    {"III 1 p ", 54},  // 147
    {"III 1 r ", 54},  // 148
    {"III 1m:a", 23},  // 149
    {"III 1m:b", 23},  // 150
    {"III 1p :", 54},  // 151
    {"III 1p :", 54},  // 152
    {"III 1pn:", 54},  // 153
    {"III 1r :", 54},  // 154
    {"III 2 m ", 38},  // 155
    {"III 2 m ", 38},  // 156
    {"III 2 p ", 6},  // 157
    {"III 2 p ", 6},  // 158
    {"III 2m :", 38},  // 159
    {"III 2m :", 38},  // 160
    {"III 2mn:", 38},  // 161
    {"III 2p :", 6},  // 162
    {"III 2p :", 6},  // 163
    {"III 2pn:", 6},  // 164
    {"III 2r :", 54},  // 165
    {"III 2rn:", 54},  // 166
    {"III 3 m ", 54},  // 167
    {"III 3 m ", 54},  // 168
    {"III 3 p ", 54},  // 169
    {"III 3 p ", 54},  // 170
    {"III 3 r ", 54},  // 171
    {"III 3mn:", 54},  // 172
    {"III 3pn:", 54},  // 173
    {"III1m   ", 23},  // 174
    {"III1p   ", 23},  // 175
    {"III1r   ", 23},  // 176
    {"III2m   ", 38},  // 177
    {"III2p   ", 6},  // 178
    {"III3m   ", 29},  // 179
    {"III3p   ", 29},  // 180
    {"III3pn  ", 29},  // 181
    {"Im      ", 0},  // 182
    {"Im/P    ", 0},  // 183
    {"Irr     ", 0},  // 184
    {"IV      ", 62},  // 185
    {"IV 1 mn:", 62},  // 186
    {"IV 1 p  ", 62},  // 187
    {"IV 1 p n", 62},  // 188
    {"IV 1m:b ", 62},  // 189
    {"IV 1p :b", 62},  // 190
    {"IV 1pn:b", 62},  // 191
    {"IV 1r :b", 62},  // 192
    {"IV 2 p  ", 62},  // 193
    {"IV 2 p n", 62},  // 194
    {"IV 2m :b", 62},  // 195
    {"IV 2p :a", 62},  // 196
    {"IV 2p :b", 62},  // 197
    {"IV 2pe:a", 62},  // 198
    {"IV 2pn:b", 62},  // 199
    {"IV 3 m  ", 62},  // 200
    {"IV 3 p  ", 62},  // 201
    {"IV 3 p n", 62},  // 202
    {"IV 3mn:b", 62},  // 203
    {"IV 3p :a", 62},  // 204
    {"IV 3pn:b", 62},  // 205
    {"IV1p    ", 73},  // 206
    {"IV2m    ", 0},  // 207
    {"IV2p    ", 0},  // 208
    {"IV2pn   ", 0},  // 209
    {"IV3m    ", 0},  // 210
    {"IV3p    ", 0},  // 211
    {"IV3pn   ", 0},  // 212
    {"IX      ", 4},  // 213
    {"NF      ", 0},  // 214
    {"OCL     ", 0},  // 215
    {"OCL+EN  ", 0},  // 216
    {"P       ", 0},  // 217
    {"P?      ", 0},  // 218
    {"Pec     ", 0},  // 219
    {"PN      ", 0},  // 220
    {"R       ", 0},  // 221
    {"R+*     ", 0},  // 222
    {"Ring    ", 0},  // 223
    {"Ring A  ", 0},  // 224
    {"Ring B  ", 0},  // 225
    {"Ring/P  ", 0},  // 226
    {"RN      ", 45},  // 227
    {"RN+OCL  ", 0},  // 228
    {"RU0     ", 0},  // 229
    {"S       ", 0},  // 230
    {"S M     ", 0},  // 231
    {"S R     ", 0},  // 232
    {"S RM    ", 0},  // 233
    {"S/P     ", 0},  // 234
    {"S/pec   ", 0},  // 235
    {"S?      ", 0},  // 236
    {"S+C     ", 0},  // 237
    {"S+C?    ", 0},  // 238
    {"S+S     ", 0},  // 239
    {"S0      ", 0},  // 240
    {"S0/D    ", 0},  // 241
    {"S0/P    ", 0},  // 242
    {"S0/PRG  ", 0},  // 243
    {"S0?     ", 0},  // 244
    {"S0+S0   ", 0},  // 245
    {"S0-a    ", 102},  // 246
    {"S0-a/P  ", 0},  // 247
    {"Sa      ", 104},  // 248
    {"Sa/P    ", 0},  // 249
    {"Sab     ", 64},  // 250
    {"Sab/P   ", 64},  // 251
    {"Sb      ", 31},  // 252
    {"SB M    ", 0},  // 253
    {"Sb/P    ", 77},  // 254
    {"SB?     ", 0},  // 255
    {"SB+C?   ", 0},  // 256
    {"SB0     ", 0},  // 257
    {"SB0/D   ", 0},  // 258
    {"SB0-a   ", 0},  // 259
    {"SB0-a/P ", 0},  // 260
    {"SBa     ", 65},  // 261
    {"SBa/P   ", 0},  // 262
    {"SBa/PRG ", 0},  // 263
    {"SBab    ", 90},  // 264
    {"SBab/P  ", 25},  // 265
    {"SBb     ", 66},  // 266
    {"SBb/P   ", 0},  // 267
    {"SBbc    ", 61},  // 268
    {"SBbc/P  ", 0},  // 269
    {"Sbc     ", 51},  // 270
    {"SBc     ", 101},  // 271
    {"SBc/P   ", 0},  // 272
    {"SBcd    ", 0},  // 273
    {"SBcd/P  ", 0},  // 274
    {"SBd     ", 0},  // 275
    {"SBdm    ", 0},  // 276
    {"SBdm/P  ", 0},  // 277
    {"SBm     ", 0},  // 278
    {"SBm/P   ", 0},  // 279
    {"SBR     ", 0},  // 280
    {"Sc      ", 33},  // 281
    {"Sc/P    ", 0},  // 282
    {"Sc?     ", 0},  // 283
    {"Scd     ", 0},  // 284
    {"Sd      ", 89},  // 285
    {"Sd/P    ", 0},  // 286
    {"Sdm     ", 0},  // 287
    {"Sm      ", 0},  // 288
    {"SNR     ", 1},  // 289
    {"V       ", 5},  // 290
    {"VI      ", 3},  // 291
    {"VII     ", 22},  // 292
    {"VIII    ", 14},  // 293
    {"X       ", 107},  // 294
    {"XI      ", 55},  // 295
    {"XII     ", 0},  // 296
};

uint8_t GetTypeCodeText(char* buffer, int code) {
    if (buffer) std::strcpy(buffer, " ");
    if (code < 0 || code >= kDeepSkyTypeCount) return 0;
    if (buffer) std::memcpy(buffer, deepSkyTypeTexts[code].text, sizeof deepSkyTypeTexts[code].text);
    return deepSkyTypeTexts[code].thumbnail;
}

namespace {

// The first code 1..296 whose text agrees with `padded` in its first `length` characters.
int FirstCodeMatching(const char* padded, std::size_t length) {
    for (int code = 1; code < kDeepSkyTypeCount; ++code)
        if (std::memcmp(deepSkyTypeTexts[code].text, padded, length) == 0) return code;
    return 0;
}

}  // namespace

int FindTypeCodeByText(const char* field) {
    char padded[kDeepSkyTypeTextLength + 1];
    std::memset(padded, ' ', kDeepSkyTypeTextLength);
    padded[kDeepSkyTypeTextLength] = '\0';
    for (std::size_t i = 0; field && field[i] != '\0' && i < kDeepSkyTypeTextLength; ++i) padded[i] = field[i];
    // The whole text first, so that codes whose texts differ only in the eighth
    // character ("III 1m:a", "III 1m:b") come back as they were written.
    int code = FirstCodeMatching(padded, kDeepSkyTypeTextLength);
    return code ? code : FirstCodeMatching(padded, kDeepSkyTypeTextLength - 1);
}
