#include "scope/scope_form.h"

#include "scope/scope_dispatch.h"
#include "ui/forms.h"

int scopeFormRequested = 0;

void OpenScopeForm(int connectFirst) {
    scopeFormRequested = 1;
    if (connectFirst != 0 && !ScopeConnect()) return;
    GotoForm(2400);
}
