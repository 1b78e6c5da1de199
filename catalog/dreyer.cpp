#include "catalog/dreyer.h"

#include <cstring>

const DreyerTerm dreyerTermsA[kDreyerTermCount] = {
    {"!!!", "a magnificent"},
    {"!!", "very remarkable"},
    {"!", "remarkable"},
    {"***", "triple star"},
    {"**", "double star"},
    {"*", "star"},
    {"alm", "almost"},
    {"app", "appended"},
    {"att", "attached"},
    {"am", "among"},
    {"Ab", "about"},
    {"biN", "binuclear"},
    {"be", "between"},
    {"bf", "brightest towards the following side"},
    {"bn", "brightest towards the north side"},
    {"bp", "brightest towards the preceding side"},
    {"bs", "brightest towards the south side"},
    {"b", "brighter"},
    {"B", "bright"},
    {"cont", "in contact"},
    {"com", "cometic"},
    {"ch", "chevelure"},
    {"co", "coarse, coarsely"},
    {"close", "close"},
    {"cl.", "cluster"},
    {"c", "considerably"},
    {"Cl", "cluster"},
    {"C", "compressed"},
    {"diffic", "difficult"},
    {"dist", "distance"},
    {"def", "defined"},
    {"dif", "diffused"},
    {"d", "diameter"},
    {"D", "double"},
    {"exc", "excentric"},
    {"ee", "most extremely"},
    {"er", "easily resolvable"},
    {"e", "extremely"},
    {"E", "extended"},
    {"f", "following"},
    {"F", "faint"},
    {"gr", "group"},
    {"glob.", "globular"},
    {"g", "gradually"},
    {"inv", "involved"},
    {"iF", "irregular figure"},
    {"i", "irregular"},
};

const DreyerTerm dreyerTermsB[kDreyerTermCount] = {
    {"l", "little"},
    {"L", "large"},
    {"mm", "mixed magnitudes"},
    {"mn", "milky nebulosity"},
    {"m", "much"},
    {"M", "middle"},
    {"neby", "nebulosity"},
    {"neb", "nebula"},
    {"nf", "north following"},
    {"np", "north preceding"},
    {"nr", "near"},
    {"n", "north"},
    {"N", "Nucleus"},
    {"prob", "probably"},
    {"pg", "pretty gradually"},
    {"pm", "pretty much"},
    {"ps", "pretty suddenly"},
    {"p", "pretty"},
    {"p", "preceding"},
    {"PN", "planetary nebula"},
    {"P", "poor"},
    {"quad", "quadrilateral"},
    {"quar", "quartile"},
    {"rrr", "well resolved"},
    {"rr", "partially relolved"},
    {"r", "resolvable"},
    {"Ri", "rich in stars"},
    {"RR", "exactly round"},
    {"R", "round"},
    {"stell", "stellar"},
    {"st", "stars from"},
    {"susp", "suspected"},
    {"sev", "several"},
    {"sc", "scattered"},
    {"sf", "south following"},
    {"sh", "shaped"},
    {"sm", "smaller"},
    {"sp", "south preceding"},
    {"s", "south"},
    {"S", "small"},
    {"trap", "trapezium"},
    {"triN", "trinuclear"},
    {"var", "variable"},
    {"vv", "very, very"},
    {"v", "very"},
    {"w", "with"},
    {"...", " to "},
};

namespace {

constexpr std::size_t kStopLength = 190;       // the translation ends once the output passes this
constexpr std::size_t kNumberRunLength = 195;  // a number run stops at this output length
constexpr int kPrettyRow = 17;                 // "p" -> "pretty", under its context rule

// The translation in progress: input text and position, output buffer and length.
struct Translation {
    const char* text = nullptr;
    std::size_t length = 0;
    std::size_t in = 0;
    char* output = nullptr;
    std::size_t capacity = 0;
    std::size_t out = 0;
};

Translation current;

bool OutputFull() { return current.out + 1 >= current.capacity; }

// Appends what fits of `count` characters and terminates the output.
void Append(const char* s, std::size_t count) {
    for (std::size_t k = 0; k < count && !OutputFull(); ++k) current.output[current.out++] = s[k];
    current.output[current.out] = '\0';
}

void AppendChar(char c) { Append(&c, 1); }

// "p" reads "pretty" only before F, B, L, S or R, or with an "i" two places on.
bool PrettyApplies(const char* input) {
    if (input[1] != '\0' && std::strchr("FBLSR", input[1])) return true;
    return input[1] != '\0' && input[2] == 'i';
}

bool ExpandFrom(const DreyerTerm* table, bool contextRule, const char* input, char* outputEnd) {
    for (int row = 0; row < kDreyerTermCount; ++row) {
        const DreyerTerm& t = table[row];
        std::size_t n = std::strlen(t.abbreviation);
        if (std::strncmp(input, t.abbreviation, n) != 0) continue;
        if (contextRule && row == kPrettyRow && !PrettyApplies(input)) continue;
        current.out = static_cast<std::size_t>(outputEnd - current.output);
        Append(t.expansion, std::strlen(t.expansion));
        AppendChar(' ');
        current.in += n - 1;  // on the abbreviation's last character; the step moves past it
        return true;
    }
    return false;
}

// Copies input characters after position `in` while `keep` holds for them.
template <typename Keep>
void CopyRun(Keep keep) {
    while (current.in + 1 < current.length && keep(current.text[current.in + 1]) && !OutputFull()) {
        ++current.in;
        AppendChar(current.text[current.in]);
    }
}

// A character that starts no abbreviation, with the runs that follow a digit,
// an "=" or a "(".
void CopyPlain(char c) {
    AppendChar(c);
    if (c >= '0' && c <= '9') {
        CopyRun([](char next) { return next != ' ' && next != ',' && current.out < kNumberRunLength; });
    } else if (c == '=') {
        if (current.in + 1 < current.length) ++current.in;  // the character after "=" is dropped
        CopyRun([](char next) { return next != ' '; });
    } else if (c == '(') {
        CopyRun([](char next) { return next != ')'; });
    }
}

void TranslateStep() {
    const char* at = current.text + current.in;
    char* end = current.output + current.out;
    if (*at == ',') Append(", ", 2);
    else if (!ExpandDreyerTermA(at, end) && !ExpandDreyerTermB(at, end)) CopyPlain(*at);
}

}  // namespace

bool ExpandDreyerTermA(const char* input, char* outputEnd) { return ExpandFrom(dreyerTermsA, false, input, outputEnd); }

bool ExpandDreyerTermB(const char* input, char* outputEnd) { return ExpandFrom(dreyerTermsB, true, input, outputEnd); }

void TranslateDreyerDescription(const char* description, char* output, std::size_t capacity) {
    if (!description || !output || capacity == 0 || description[0] == '\0') return;
    current = Translation{description, std::strlen(description), 0, output, capacity, 0};
    output[0] = '\0';
    while (current.in < current.length && !OutputFull()) {
        TranslateStep();
        if (current.out > kStopLength) break;
        ++current.in;
    }
    current = Translation{};
}
