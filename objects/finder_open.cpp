#include "objects/finder_open.h"

#include "objects/selected_object.h"
#include "ui/forms.h"

int finderReturnForm = 1950;
int finderPreselectKind = -1;

namespace {

constexpr int kFinderForm = 2350;

}  // namespace

void OpenFinder(int returnForm, int preselectKind) {
    ClearSelectedObject();
    finderReturnForm = returnForm;
    if (preselectKind >= 0) finderPreselectKind = preselectKind;
    GotoForm(kFinderForm);
}
