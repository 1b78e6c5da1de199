#include "ui/number_field.h"

#include <cmath>
#include <cstring>
#include <string>

#include "core/services.h"
#include "core/text_numbers.h"
#include "core/value_range.h"
#include "platform/dialog.h"
#include "ui/text_input_dialog.h"

namespace {

constexpr char kSeparators[] = ":\xB0'hm ";  // between units, minutes and seconds
constexpr char kClosingMarks[] = "\xB0'\"";  // one may follow the last part

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// A text being read left to right.
struct Cursor {
    const char* p;

    void SkipBlanks() {
        while (IsBlank(*p)) ++p;
    }
    // Whole digits into *value; false when there is none.
    bool Whole(double* value) {
        const char* start = p;
        double v = 0.0;
        while (IsDigit(*p)) v = v * 10.0 + (*p++ - '0');
        *value = v;
        return p != start;
    }
    // A fraction after '.' or ',' added to *value; `digitsBefore` tells whether
    // the number has digits already (".5" and "5." read, "." alone does not).
    bool Fraction(double* value, bool digitsBefore) {
        if (*p != '.' && *p != ',') return digitsBefore;
        ++p;
        double scale = 1.0, fraction = 0.0;
        const char* start = p;
        while (IsDigit(*p)) {
            fraction = fraction * 10.0 + (*p++ - '0');
            scale *= 10.0;
        }
        *value += fraction / scale;
        return digitsBefore || p != start;
    }
    // A separator followed by a digit starts the next sexagesimal part.
    bool NextPart() {
        if (!IsOneOf(*p, kSeparators) || !IsDigit(p[1])) return false;
        ++p;
        return true;
    }
};

// Minutes or seconds: whole digits, an optional fraction, below 60.
bool SixtiethPart(Cursor& c, double* value, bool fractionAllowed) {
    bool whole = c.Whole(value);
    if (fractionAllowed && (*c.p == '.' || *c.p == ',') && IsDigit(c.p[1])) whole = c.Fraction(value, whole);
    return whole && *value < 60.0;
}

// Units, then minutes and seconds when the text goes on with them.
bool Sexagesimal(Cursor& c, double* magnitude) {
    double units = 0.0;
    bool digits = c.Whole(&units);
    if (*c.p == '.' || *c.p == ',') {
        if (!c.Fraction(&units, digits)) return false;
        *magnitude = units;
        return true;
    }
    if (!digits) return false;
    double minutes = 0.0, seconds = 0.0;
    if (c.NextPart()) {
        const bool decimalMinutes = [&] {
            const char* q = c.p;
            while (IsDigit(*q)) ++q;
            return *q == '.' || *q == ',';
        }();
        if (!SixtiethPart(c, &minutes, decimalMinutes)) return false;
        if (!decimalMinutes && c.NextPart() && !SixtiethPart(c, &seconds, true)) return false;
    }
    *magnitude = units + minutes / 60.0 + seconds / 3600.0;
    return true;
}

// The magnitude of the number in the field's form, the cursor after it.
bool Magnitude(const NumberField& field, Cursor& c, double* magnitude) {
    switch (field.form) {
    case NumberForm::Count: return c.Whole(magnitude);
    case NumberForm::Decimal: {
        bool digits = c.Whole(magnitude);
        return c.Fraction(magnitude, digits);
    }
    default:
        if (!Sexagesimal(c, magnitude)) return false;
        if (IsOneOf(*c.p, kClosingMarks)) ++c.p;
        return true;
    }
}

// The hemisphere letter that negates (S, E) or keeps (N, W) the value of a
// Latitude or Longitude field: -1, 1, or 0 for no letter of the field's.
int HemisphereSign(const NumberField& field, char letter) {
    char upper = static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
    if (field.form == NumberForm::Latitude) return upper == 'N' ? 1 : upper == 'S' ? -1 : 0;
    if (field.form == NumberForm::Longitude) return upper == 'W' ? 1 : upper == 'E' ? -1 : 0;
    return 0;
}

// A text the field's input would cut: more characters than it keeps, the
// blanks after the text aside.
bool LongerThanInput(const NumberField& field, const char* text) {
    std::size_t n = std::strlen(text);
    while (n > 0 && IsBlank(text[n - 1])) --n;
    return field.length < 1 || n > static_cast<std::size_t>(field.length - 1);
}

ValueRange RangeOf(const NumberField& field) {
    return ValueRange{field.low, field.high, field.lowOpen, field.highOpen, field.form == NumberForm::Count,
                      field.unit};
}

const char* ExampleOf(NumberForm form) {
    switch (form) {
    case NumberForm::Latitude: return "Degrees then N or S, as 51:28:38 N or 51.477 S";
    case NumberForm::Longitude: return "Degrees then W or E, as 0:07:39 W or 2.35 E";
    case NumberForm::Sexagesimal: return "As 12:30:00 or 12.5";
    default: return "";
    }
}

}  // namespace

bool ParseNumberField(const NumberField& field, const char* text, double* value) {
    if (!text) return false;
    Cursor c{text};
    c.SkipBlanks();
    double sign = 1.0;
    const bool signGiven = *c.p == '-' || *c.p == '+';
    if (signGiven) sign = *c.p++ == '-' ? -1.0 : 1.0;
    if (signGiven && field.form == NumberForm::Longitude) return false;  // its side is said by W or E
    double magnitude = 0.0;
    if (!Magnitude(field, c, &magnitude)) return false;
    c.SkipBlanks();
    if (int hemisphere = HemisphereSign(field, *c.p)) {
        if (signGiven) return false;
        sign = hemisphere;
        ++c.p;
        c.SkipBlanks();
    }
    if (*c.p != '\0' || !std::isfinite(magnitude)) return false;
    const bool hemisphereForm = field.form == NumberForm::Latitude || field.form == NumberForm::Longitude;
    double checked = hemisphereForm ? magnitude : sign * magnitude;
    if (field.storedAsFloat) checked = static_cast<float>(checked);  // 23:59:59.999 is kept as 24.0
    if (!InValueRange(checked, RangeOf(field))) return false;
    *value = sign * magnitude;
    return true;
}

int32_t CountFieldValue(const char* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    return ParseInt(text);
}

std::string NumberFieldMessage(const NumberField& field) { return ValueRangeRefusal(field.label, RangeOf(field)); }

void ShowNumberFieldRefusal(const NumberField& field) {
    ShowInformation(NumberFieldMessage(field), ExampleOf(field.form));
}

bool EditNumberField(pl::Hwnd window, const NumberField& field) {
    // The text the form wrote is taken back as it stands, whatever its length;
    // a longer text typed is refused, never cut.
    const std::string shown = pl::GetDlgItemText(window, field.id);
    auto accept = [&field, &shown](const char* text) {
        double value = 0.0;
        if (text != shown && LongerThanInput(field, text)) {
            ShowInformation(NumberFieldMessage(field), "At most " + std::to_string(field.length - 1) + " characters");
            return false;
        }
        if (ParseNumberField(field, text, &value)) return true;
        ShowNumberFieldRefusal(field);
        return false;
    };
    return RunTextInputDialog(window, field.id, field.title, field.length, accept) == pl::IDOK;
}

bool ReadNumberField(pl::Hwnd window, const NumberField& field, double* value) {
    if (ParseNumberField(field, pl::GetDlgItemText(window, field.id).c_str(), value)) return true;
    ShowNumberFieldRefusal(field);
    return false;
}

const NumberField* FindNumberField(std::span<const NumberField> fields, int id) {
    for (const NumberField& f : fields)
        if (f.id == id) return &f;
    return nullptr;
}
