// Opening the finder form (2350) from another form.
#pragma once

// The form the finder returns to, and the designation kind it preselects (-1 none).
extern int finderReturnForm;
extern int finderPreselectKind;

// Clears the finder target and opens the finder form, which returns to
// `returnForm`; a negative `preselectKind` keeps the catalogue chosen last time.
void OpenFinder(int returnForm, int preselectKind);
