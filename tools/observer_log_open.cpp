#include "tools/observer_log_open.h"

#include "ui/forms.h"

namespace {

constexpr int kObserverLogForm = 2600;

}  // namespace

int observerLogNewEntry = 0;

void OpenObserverLogNewEntry() {
    observerLogNewEntry = 1;
    GotoForm(kObserverLogForm);
}
