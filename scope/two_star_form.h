// The 2-star alignment form (1300, "2-StarAligment", menu command 1005): two
// columns of star fields, Star 1 and Star 2 to choose each star on the sky
// chart, Read to take the scope's reading, Align, Clear, Ok, and for Encoder
// output the equatorial-platform buttons. The work is in scope/two_star.h.
//
// Every one of the ten star fields is typed through the number fields of the
// form (ui/number_field.h) and taken into its star at once, so typed stars
// are aligned on as chosen ones are.
#pragma once

#include "platform/types.h"

// The form's procedure: set-up, first paint (TwoStarOpen), the typed fields,
// the commands, and the release of its controls at close.
pl::LResult TwoStarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first paint: form 1300 in the history, the restore offer
// (AskRestoreLastAlignment), the default stars loaded, RefreshTwoStarForm.
void TwoStarOpen();

// Places the controls for the screen (the bottom buttons follow its bottom
// edge) and shows the platform buttons only for Encoder output: "Switch Off Eq
// PlatForm Mode" and "Reset Eq PlatForm" while the platform mode is on,
// "Switch On Eq PlatForm Mode" while it is off.
void TwoStarLayout(pl::Hwnd form);

// Start-up: the saved alignment's restore (RestoreAlignMatrix) and the saved
// star pair's place in the preferences file. A restore already installed (a
// test's stand-in) is left with the star-pair hook as it stands.
void InstallTwoStarAlignment();
