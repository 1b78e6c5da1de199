#include "core/date_text.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/text_numbers.h"
#include "platform/clock.h"

namespace {

int dateFieldOrder = 0;  // 0 until found

// The locale puts the second field first (field orders 1 to 3).
bool FieldsExchanged() {
    int order = GetDateFieldOrder();
    return order >= 1 && order <= 3;
}

}  // namespace

int GetDateFieldOrder() {
    if (dateFieldOrder == 0) {
        std::string sample = pl::FormatShortDate(2007, 12, 1);
        dateFieldOrder = !sample.empty() && sample[0] == '2' ? 2 : 5;
    }
    return dateFieldOrder;
}

void FormatDate(char* destination, std::size_t size, int first, int second, int year) {
    bool exchanged = FieldsExchanged();
    std::snprintf(destination, size, "%02d/%02d/%04d", exchanged ? second : first, exchanged ? first : second, year);
}

void FormatDateShort(char* destination, std::size_t size, int first, int second, int year) {
    bool exchanged = FieldsExchanged();
    std::snprintf(destination, size, "%02d/%02d/%02d", exchanged ? second : first, exchanged ? first : second,
                  year % 100);
}

void ParseDate(const char* text, int* first, int* second, int* year) {
    int fields[3] = {0, 0, 0};
    for (int i = 0; i < 3 && text; ++i) {
        fields[i] = ParseInt(text);
        text = std::strchr(text, '/');
        if (text) ++text;
    }
    bool exchanged = FieldsExchanged();
    *first = exchanged ? fields[1] : fields[0];
    *second = exchanged ? fields[0] : fields[1];
    *year = fields[2];
}

void ResetDateFieldOrder() { dateFieldOrder = 0; }
