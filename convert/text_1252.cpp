#include "convert/text_1252.h"

#include <cstdint>

namespace convert {
namespace {

// Base letters of U+0100..U+017F (Latin Extended-A).
constexpr char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

constexpr const char* kGreek[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta",
                                  "iota", "kappa", "lambda", "mu", "nu", "xi", "omicron", "pi", "rho",
                                  "sigma", "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega"};

// Code points that Windows-1252 holds at 0x80..0x9F.
struct Special {
    uint32_t codePoint;
    unsigned char byte;
};
constexpr Special kSpecials[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed bytes give
// 0xFFFD and advance by one.
uint32_t NextCodePoint(const std::string& text, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) {
        ++i;
        return 0xFFFD;
    }
    uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    i += extra + 1;
    return cp;
}

void Append(std::string& out, uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out += static_cast<char>(cp);
        return;
    }
    for (const Special& s : kSpecials)
        if (s.codePoint == cp) {
            out += static_cast<char>(s.byte);
            return;
        }
    if (cp >= 0x100 && cp <= 0x17F) {
        out += kLatinExtendedA[cp - 0x100];
    } else if (cp >= 0x3B1 && cp <= 0x3C9) {
        out += kGreek[cp - 0x3B1];
    } else if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) {
        std::string name = kGreek[cp - 0x391];
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        out += name;
    } else if (cp < 0x300 || cp > 0x36F) {  // combining accents are dropped
        out += '?';
    }
}

}  // namespace

std::string ToWindows1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) Append(out, NextCodePoint(utf8, i));
    return out;
}

}  // namespace convert
