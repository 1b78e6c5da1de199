#include "core/moon_records.h"

namespace {
MoonRecordHooks installed;
}

int GetMoonRecordCount() { return installed.getMoonRecordCount ? installed.getMoonRecordCount() : 0; }

int GetMoonRecord(int index, MoonFeatureRecord* record) {
    return installed.getMoonRecord ? installed.getMoonRecord(index, record) : 0;
}

MoonRecordHooks InstallMoonRecordHooks(const MoonRecordHooks& hooks) {
    MoonRecordHooks previous = installed;
    installed = hooks;
    return previous;
}
