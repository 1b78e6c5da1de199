// The program's resources: one group of tables per folder of forms. Start-up
// (and every test that opens forms) installs them all.
#pragma once

#include <span>

#include "platform/resources.h"

// The shell's strings, menus 102 and 103, menu bars 102 and 103 and
// accelerator table 3.
extern const pl::ResourceGroup kShellResources;

// The home form's template (1950).
extern const pl::ResourceGroup kHomeResources;
// The control layer's bitmaps (popup arrows) and the program icon.
extern const pl::ResourceGroup kControlResources;
// The drawing layer's bitmaps: the 28 x 28 Moon phases 6080..6092 (the busy
// indicator's frames are 6081..6090).
extern const pl::ResourceGroup kUiResources;
// The memo import dialog (2900).
extern const pl::ResourceGroup kMemoResources;
// The picture viewer (1940), the list manager (1050) and its button bitmaps
// (5074, 5147, 5148, 1975).
extern const pl::ResourceGroup kCatalogResources;

// The modal input dialogs (135, 2950, 1999).
extern const pl::ResourceGroup kDialogResources;
// The location form (1200), the date and time form (5200), the camera control
// form (5300) with its sounds "startTimer" and "stopTimer", the checklist pages
// (2200, 2203, 2206) and the CCD assistant (1550).
extern const pl::ResourceGroup kToolsResources;
// The day and night form (2423).
extern const pl::ResourceGroup kDayNightResources;
// The twilight graph (2410) and its planet popup's bitmap (5152).
extern const pl::ResourceGroup kTwilightResources;
// The six preference pages (1400, 1430, 1450, 1620, 1476, 1337).
extern const pl::ResourceGroup kPreferenceResources;
// The home form's icons, the status block's Sun and full and new Moon, the
// clock, the information button and the chart orientation icons.
extern const pl::ResourceGroup kHomeBitmapResources;
// The chart's marker and small-icon strips, satellite, Moon pictures and
// phase icons (6050..6063), target mark, telescope cross and meteor radiant.
extern const pl::ResourceGroup kChartBitmapResources;
// The chart's star and object icon strips (4103..4106), the picture mark
// (1941), the Messier thumbnails (3000..3109) and the generic picture (5029).
extern const pl::ResourceGroup kOverlayBitmapResources;
// The map of Mars in two halves (6012, 6013) and the turning globe (6014).
extern const pl::ResourceGroup kMarsBitmapResources;
// The Moon map form (6020) and the picture marker (1941).
extern const pl::ResourceGroup kMoonResources;
// The Moon map: nine 320 x 320 tiles of the 960 x 960 near side (6025..6033)
// and the whole disc at 320 x 320 (6036).
extern const pl::ResourceGroup kMoonBitmapResources;

// The eclipse assistant (2700), its buttons (5125, 2252, 2725) and the
// eclipse kind icons (4074..4078, 4080).
extern const pl::ResourceGroup kEclipseResources;
// The planet detail form (2460), the Jupiter globe strip (1897), the ringed
// Saturn (6008), the moon mark (4038) and the moon shadow (6006).
extern const pl::ResourceGroup kPlanetDetailResources;
// The planets assistant (2450).
extern const pl::ResourceGroup kPlanetAssistantResources;
// The compass chart (2830) and its finder and sky-chart buttons (5124, 5134,
// 5094, 5138).
extern const pl::ResourceGroup kCompassResources;
// The sky chart (1900), its popup triggers and tool buttons (2254, 5139, 5070,
// 5096, 5097, 5143, 5121, 1921, 1916, 5122, 5123, 5140, 5118, 5116, 5117, 5119,
// 1919) and the object list's arrow (125).
extern const pl::ResourceGroup kChartFormResources;
// The satellites assistant (2800).
extern const pl::ResourceGroup kSatelliteResources;
// The orbit assistant (2550).
extern const pl::ResourceGroup kOrbitResources;
// The Earth: world maps 1221 and 6010, the land halves 6015 and 6016 and the
// globe textures 6042..6045.
extern const pl::ResourceGroup kEarthBitmapResources;
// The finder (2350), the selection criteria (1700) and the observing list
// (1800).
extern const pl::ResourceGroup kObservingResources;
// Their bitmaps: the criteria keys (2249..2251), the row pictures (5150), the
// log at night (5131), the visibility eye (1943), the Sun, Moon and planet
// pictures (4000..4009) and the comet picture (3996).
extern const pl::ResourceGroup kObservingBitmapResources;
// The difficulty gauge of the visibility model (5000..5004 by day,
// 5005..5009 at night).
extern const pl::ResourceGroup kVisibilityBitmapResources;
// The scope control form (2400) with its direction pad (5084..5088) and the
// 2-star alignment form (1300).
extern const pl::ResourceGroup kScopeResources;
// The polar alignment assistant (2470) and its alarm sound "polarAlarm".
extern const pl::ResourceGroup kPolarResources;

// The N-star alignment form (2100).
extern const pl::ResourceGroup kNStarResources;

// The object information form (112), the ephemeris assistant (2530) and the
// goto button at night (5136).
extern const pl::ResourceGroup kObjectInfoResources;

// Every group above, in the order they are installed.
std::span<const pl::ResourceGroup* const> ProgramResourceGroups();

// Installs every group above with pl::AddResourceGroup (safe to repeat).
void InstallProgramResources();
