#include "app/app_state.h"

#include <cstdlib>
#include <cstring>

#include "assistants/planet_detail_form.h"
#include "assistants/planet_events.h"
#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "catalog/user_lists.h"
#include "chart/chart_clock.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_symbols.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/save_under.h"
#include "core/date_text.h"
#include "core/list_date.h"
#include "core/nutation.h"
#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/services.h"
#include "core/shared_buffers.h"
#include "core/shared_state.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "tools/observer_log_open.h"
#include "tools/camera_settings_file.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/markers.h"
#include "ui/night_colors.h"
#include "ui/screen_layout.h"

int dateYearFirst = 0;

namespace {

// One start-up buffer: where its pointer lives, its size and the message
// shown when it cannot be allocated.
struct StartupBuffer {
    void** pointer;
    std::size_t size;
    const char* failure;
};

template <typename T>
void** Slot(T*& pointer) {
    return reinterpret_cast<void**>(&pointer);
}

bool AllocateBuffers(const StartupBuffer* buffers, int count) {
    for (int i = 0; i < count; ++i) {
        *buffers[i].pointer = AllocSharedBuffer(buffers[i].size);
        if (!*buffers[i].pointer) {
            ShowInformation(buffers[i].failure, "");
            return false;
        }
    }
    return true;
}

// The buffers of the allocation table, in its order; the bright-star table
// (a fixed array) and the selection list come between the text buffer and
// the rest.
bool AllocateStartupBuffers() {
    const StartupBuffer text[] = {{Slot(txtBuffer), kTxtBufferSize, "Can't allocate txtBuffer"}};
    if (!AllocateBuffers(text, 1)) return false;
    std::memset(brightStarTable, 0, sizeof brightStarTable);
    if (!AllocChartScreenLists()) return false;
    if (!AllocSelectionList()) return false;
    const StartupBuffer rest[] = {
        {Slot(buttonList[0]), kButtonListSize, "Can't allocate memory during initialization for buttonList"},
        {Slot(buttonList[1]), kButtonListSize, "Can't allocate memory during initialization for buttonList"},
        {Slot(buttonListSave), kButtonListSize, "Can't allocate memory during initialization for buttonListSave"},
        {Slot(buttonListTypeSave), kButtonListSize,
         "Can't allocate memory during initialization for buttonListTypeSave"},
        {Slot(catalogList[0]), kCatalogListSize0, "Can't allocate memory during initialization for catalogList"},
        {Slot(catalogList[1]), kCatalogListSize1, "Can't allocate memory during initialization for catalogList"},
        {Slot(alignmentStars), kAlignmentStarsSize,
         "Can't allocate memory during initialization for alignment stars"},
        {Slot(dreyerLong), kDreyerLongBufferSize, "Can't allocate memory dreyerLong"},
        {Slot(objListNamePtr), kObjListNameCount * sizeof(char*), "Can't allocate memory objListNamePtr"},
    };
    return AllocateBuffers(rest, static_cast<int>(std::size(rest)));
}

void FreeObjectListNames() {
    if (!objListNamePtr) return;
    for (int i = 0; i < kObjListNameCount && objListNamePtr[i]; ++i) FreeSharedBuffer(objListNamePtr[i]);
    FreeSharedBuffer(objListNamePtr);
}

void FreeStartupBuffers() {
    FreeSharedBuffer(txtBuffer);
    FreeSharedBuffer(buttonList[0]);
    FreeSharedBuffer(buttonList[1]);
    FreeSharedBuffer(buttonListSave);
    FreeSharedBuffer(buttonListTypeSave);
    FreeSharedBuffer(catalogList[0]);
    FreeSharedBuffer(catalogList[1]);
    FreeSharedBuffer(dreyerLong);
    FreeObjectListNames();
    FreeChartScreenLists();
    FreeSharedBuffer(alignmentStars);
}

// The start date and time: the preference words when a year is stored, else
// the device clock; the first five fields also go to the list criteria, no
// date of the list's own (the last list's date may make one, TakeListDate).
void SetStartDateTime() {
    ForgetOwnListDate();
    const int32_t* w = &preferences.word[kPrefStartYear];
    if (w[0] != 0) {
        currentDateTime = DateTime{w[0], w[1], w[2], w[3], w[4], 0};
    } else {
        int32_t now[6];
        ReadDeviceClock(now);
        currentDateTime = DateTime{now[0], now[1], now[2], now[3], now[4], now[5]};
    }
    const DateTime& t = currentDateTime;
    SetCriteriaDate(t.year, t.month, t.day, t.hour, t.minute);
}

}  // namespace

void ReadDeviceClock(int32_t fields[6]) {
    int now[6];
    GetLocalDateTime(&now[0], &now[1], &now[2], &now[3], &now[4], &now[5]);
    for (int i = 0; i < 6; ++i) fields[i] = now[i];
}

int InitApplicationState() {
    GetScreenScale();
    SetPreferenceClock(ReadDeviceClock);
    ValidatePreferences();
    if (preferences.word[kPrefCardCatalog] == 0) preferences.word[kPrefCardCatalog] = LargestHipparcosCatalogInstalled();
    LoadPreferences();
    if (!AllocateStartupBuffers()) return -1;
    SetStartDateTime();
    int order = GetDateFieldOrder();
    dateYearFirst = (order >= 1 && order <= 3) ? 1 : 0;
    ApplyNightModeColors(preferences.word[kPrefNightMode]);
    SelectChartBitmapSet(1);
    UpdateChartTime(1);
    const DateTime& t = currentDateTime;
    ComputeMoonIconState(t.year, t.month, t.day, t.hour);
    SetSerialPersistent(preferences.word[kPrefDriveId] >= 1 ? 1 : 0);
    const char* simulation = std::getenv("ZENDAVORI_SCOPE_SIMULATION");
    scopeSimulation = simulation && std::strcmp(simulation, "1") == 0 ? 1 : 0;
    if ((currentSite.latitude == 0.0f && currentSite.longitude == 0.0f) || preferences.word[kPrefLastForm] == 0)
        preferences.word[kPrefLastForm] = kHomeFormId;
    LoadUserList("last_list.lst", 0);
    LoadShotSettings();
    return 0;
}

void ShutdownApplication() {
    const int32_t fields[5] = {currentDateTime.year, currentDateTime.month, currentDateTime.day,
                               currentDateTime.hour, currentDateTime.minute};
    for (int i = 0; i < 5; ++i) preferences.word[kPrefStartYear + i] = fields[i];
    // A last list cut at its load and not changed since stays whole on disk.
    if (!IsCutListUnchanged("last_list.lst")) SaveUserList("last_list");
    if (preferences.word[kPrefNightMode] != 0) ApplyNightModeColors(0);
    DeleteColorSet();
    FreeConstellationData();
    FreeChartBitmaps();
    FreeChartPatches();
    FreeNutationTables();
    FreeMarkerBitmaps();
    FreeSelectionList();
    FreeObjectIconBitmap();
    ReleasePlanetDetailBitmaps();
    FreeObserverLogRecord();
    FreeEventList();
    CloseAllDatabases();
    FreeStartupBuffers();
}
