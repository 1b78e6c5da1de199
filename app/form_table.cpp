#include "app/form_table.h"

#include "app/home_form.h"
#include "app/preference_pages.h"
#include "assistants/moon_assistant_form.h"
#include "assistants/moon_map_form.h"
#include "assistants/planet_assistant_form.h"
#include "assistants/planet_detail_form.h"
#include "catalog/screens/list_manager_form.h"
#include "chart/compass_form.h"
#include "chart/sky_chart_form.h"
#include "core/preferences.h"
#include "core/services.h"
#include "eclipse/eclipse_form.h"
#include "objects/criteria_form.h"
#include "objects/ephemeris_form.h"
#include "objects/finder_form.h"
#include "objects/object_info_form.h"
#include "objects/observing_list_form.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "orbits/screens/satellites_form.h"
#include "scope/n_star_form.h"
#include "scope/polar_form.h"
#include "scope/scope_control_form.h"
#include "scope/two_star_form.h"
#include "tools/camera_form.h"
#include "tools/ccd_form.h"
#include "tools/checklist_form.h"
#include "tools/day_night_form.h"
#include "tools/location_form.h"
#include "tools/location_list_form.h"
#include "tools/observer_log_form.h"
#include "tools/twilight_form.h"
#include "ui/shell_state.h"

namespace {

constexpr int kMonitorForm = 2300;
constexpr int kScopeForm = 2400;

constexpr FormEntry kForms[] = {
    {112, ObjectInfoFormProc},
    {1050, ListManagerProc},
    {1200, LocationFormProc},
    {1300, TwoStarDialogProc},
    {1337, PreferencePageProc},
    {1400, PreferencePageProc},
    {1430, PreferencePageProc},
    {1450, PreferencePageProc},
    {1476, PreferencePageProc},
    {1550, CcdFormProc},
    {1600, LocationListProc},
    {1620, PreferencePageProc},
    {1700, CriteriaFormProc},
    {1800, ObservingListProc},
    {1900, SkyChartDialogProc},
    {1940, nullptr},
    {1950, HomeFormProc},
    {2100, NStarDialogProc},
    {2200, ChecklistPageProc},
    {2203, ChecklistPageProc},
    {2206, ChecklistPageProc},
    {2350, FinderFormProc},
    {2400, ScopeControlDialogProc},
    {2410, TwilightFormProc},
    {2423, DayNightProc},
    {2450, PlanetAssistantDlgProc},
    {2460, PlanetDetailDlgProc},
    {2470, PolarDialogProc},
    {2520, nullptr},
    {2530, EphemerisFormProc},
    {2550, OrbitAssistantFormProc},
    {2600, ObserverLogFormProc},
    {2700, EclipseFormProc},
    {2800, SatellitesAssistantFormProc},
    {2830, CompassChartFormProc},
    {5200, nullptr},
    {5300, CameraFormProc},
    {6000, MoonAssistantProc},
    {6020, MoonMapProc},
};

}  // namespace

const FormEntry* FindFormEntry(int formId) {
    for (const FormEntry& e : kForms)
        if (e.formId == formId) return &e;
    return nullptr;
}

std::span<const FormEntry> FormTable() { return kForms; }

bool FormTableCanOpen(int formId) {
    if (formId == kMonitorForm || (formId == kScopeForm && preferences.word[kPrefDriveId] == 0)) return false;
    const FormEntry* entry = FindFormEntry(formId);
    return entry && entry->proc;
}

void OpenFormById(int formId) {
    if (formId == kMonitorForm) {
        ShowInformation("MonitorForm not done", "");
        return;
    }
    if (formId == kScopeForm && preferences.word[kPrefDriveId] == 0) {
        ShowInformation("No Scope Drive Selected", "");
        return;
    }
    const FormEntry* entry = FindFormEntry(formId);
    if (!entry || !entry->proc || !pl::CreateDialog(formId, mainWindow, entry->proc, 0))
        ShowInformation("Unkown form call", "");
}
