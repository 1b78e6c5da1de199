#include "scope/scope_form.h"

#include "ui/forms.h"

int scopeFormFromCommand = 0;

void OpenScopeForm(int) {
    scopeFormFromCommand = 1;
    GotoForm(2400);
}
