// The one reader of typed numbers, for every form. A form declares each of its
// number fields once, as a NumberField, and edits and reads it through the
// functions below; a text that is not a number of the field's form, or lies
// outside its range, is refused with one "Information" box that names the
// field and the range ("Latitude must be between 0 and 90"), and neither the
// field nor the value the form keeps changes.
//
// Declaring a field (one line in the form's table):
//   constexpr NumberField kYear{kYearField, "Year", "Year:", 5, 1700, 2199, NumberForm::Count};
//   constexpr NumberField kLatitude{kLatField, "Latitude", "Latitude:", 12, 0, 90, NumberForm::Latitude};
//   constexpr NumberField kDeltaT{1478, "DeltaT", "DeltaT", 6, 40, 200, NumberForm::Decimal, " s", true};
// Editing it when the field is tapped (the form's kMsgEditField):
//   if (const NumberField* f = FindNumberField(kFields, id)) EditNumberField(form, *f);
// The text input then takes only a text that reads and fits the field's
// length (a longer one is refused with the field's message and the detail
// "At most <length - 1> characters", never cut); after a refusal it stays
// open with the typed text and the focus in its edit, and Cancel gives the
// field its old text back.
// Reading it when the form takes its values (Ok, Set, a page saver):
//   double year;
//   if (!ReadNumberField(form, kYear, &year)) return false;  // one box shown, nothing stored
// Read several fields with && so that only the first refusal is shown.
// A range that depends on the form's state (the zone with daylight saving) is
// a copy of the declared field with its low and high moved.
//
// Texts accepted (blanks before and after are ignored; no exponent, no
// "nan" or "inf", nothing after the number):
//   Count        a whole number with an optional sign: "12", "-3", "+7"; "12.0" is refused
//   Decimal      digits with an optional sign and a fraction after '.' or ',': "6.35", "-0,5", ".5"
//   Sexagesimal  a Decimal, or whole units, minutes and seconds as the angle and
//                time texts write them: "12:30:00", "23h45m00", "-70\xB0" "45'00",
//                decimal minutes "51\xB0" "28.6", decimal seconds "10:20:30.5"; each
//                part separated by one of ':' '\xB0' '\'' 'h' 'm' or a blank,
//                minutes and seconds below 60, one closing mark ('\xB0' '\'' '"') allowed
//   Latitude     a Sexagesimal with a sign or a last letter N or S (either case,
//                S negates): "51\xB0" "28'38 S", "12:30:00 S", "-12.5"; not both
//   Longitude    the same with W or E (E negates, longitudes being west positive),
//                or a bare number, which is West; a sign is refused, as "-" means
//                West and "+" East in the usual east-positive reading
// The value of a sexagesimal text is units + minutes / 60 + seconds / 3600,
// with the sign of the text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/types.h"

enum class NumberForm { Count, Decimal, Sexagesimal, Latitude, Longitude };

struct NumberField {
    int id;             // control id of the field in its form or dialog
    const char* label;  // names the field in the refusal: "Latitude"
    const char* title;  // title of its text input: "Latitude:"
    int length;         // text input size, terminator included: at most length - 1 characters
    double low;         // accepted range; for Latitude and Longitude the range of the
    double high;        //   value without its sign or letter
    NumberForm form = NumberForm::Decimal;
    const char* unit = "";  // written after the range: " s", " mm", "\xB0"
    bool lowOpen = false;   // low itself is refused ("above 40 and at most 200")
    bool highOpen = false;  // high itself is refused ("at least 0 and below 24")
    bool storedAsFloat = false;  // the range is checked on the value rounded to the float the form keeps
};

// Reads `text` as the field's form and range. True with *value set; false,
// *value untouched, for any text refused. No window, no message.
bool ParseNumberField(const NumberField& field, const char* text, double* value);

// The refusal: "<label> must be between <low> and <high><unit>", "... must be
// a whole number between ..." for a count, "... must be above <low> and at
// most <high>..." for an open low end, "... at least <low> and below <high>..."
// for an open high end.
std::string NumberFieldMessage(const NumberField& field);

// Shows the refusal in the "Information" box; the detail gives an example of
// the sexagesimal and hemisphere forms.
void ShowNumberFieldRefusal(const NumberField& field);

// Edits the field of `window` (a form or a modal dialog) in the text input
// with the field's title and length, taking only a text that reads and has
// at most length - 1 characters (blanks after it aside), or the field's own
// text left as it was. True when a text was taken (Ok), false after Cancel.
bool EditNumberField(pl::Hwnd window, const NumberField& field);

// Reads the field's text from `window`. True with *value; false after one
// refusal box, *value untouched.
bool ReadNumberField(pl::Hwnd window, const NumberField& field, double* value);

// The whole number of a Count field's text as its input took it, for the
// forms that read such a field with ParseInt: the blanks the input allows
// before the number are skipped (" 990" is 990, not 0).
int32_t CountFieldValue(const char* text);

// The field of `fields` with control id `id`, or null.
const NumberField* FindNumberField(std::span<const NumberField> fields, int id);
