#include "ui/date_text.h"

#include <cstdio>
#include <string>

#include "platform/clock.h"

namespace {

int dateFieldOrder = 0;  // 0 until found

}  // namespace

int GetDateFieldOrder() {
    if (dateFieldOrder == 0) {
        std::string sample = pl::FormatShortDate(2007, 12, 1);
        dateFieldOrder = !sample.empty() && sample[0] == '2' ? 2 : 5;
    }
    return dateFieldOrder;
}

void FormatDate(char* destination, std::size_t size, int first, int second, int year) {
    int order = GetDateFieldOrder();
    bool exchanged = order >= 1 && order <= 3;
    std::snprintf(destination, size, "%02d/%02d/%04d", exchanged ? second : first, exchanged ? first : second, year);
}

void ResetDateFieldOrder() { dateFieldOrder = 0; }
