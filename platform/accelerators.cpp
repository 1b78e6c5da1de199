#include "platform/accelerators.h"

#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace pl {
namespace {

constexpr int VK_MENU = 0x12;  // Alt

bool Held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

uint32_t HeldModifiers() {
    uint32_t m = 0;
    if (Held(VK_SHIFT)) m |= kAccelShift;
    if (Held(VK_CONTROL)) m |= kAccelControl;
    if (Held(VK_MENU)) m |= kAccelAlt;
    return m;
}

}  // namespace

Haccel LoadAccelerators(int id) { return FindAcceleratorTable(id); }

bool TranslateAccelerator(Hwnd hwnd, Haccel table, const Msg* msg) {
    if (!table || !msg || msg->id != WM_KEYDOWN || !IsWindow(hwnd)) return false;
    uint32_t modifiers = HeldModifiers();
    for (const AcceleratorTemplate& entry : table->entries) {
        if (static_cast<WParam>(entry.key) == msg->wParam && entry.modifiers == modifiers) {
            SendMessage(hwnd, WM_COMMAND, MakeWParam(entry.command, 1), 0);
            return true;
        }
    }
    return false;
}

}  // namespace pl
