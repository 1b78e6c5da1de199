#include "ui/control_registry.h"

#include "platform/window.h"

GrowableArray<int32_t> controlRegistry;

void RegisterControlId(int id) { controlRegistry.Append(id); }

void ReleaseControl(pl::Hwnd dialog, int id) {
    if (!pl::GetDlgItem(dialog, id)) return;
    for (int i = 0; i < controlRegistry.Count(); ++i) {
        if (controlRegistry[i] == id) {
            controlRegistry.EraseKeepingOrder(i);
            return;
        }
    }
}

void ClearControlRegistry() { controlRegistry.Clear(); }
