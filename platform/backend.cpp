#include "platform/backend.h"

#include <atomic>

namespace pl {
namespace {

const Backend headless{};
Backend installed;
std::atomic<const Backend*> current{&headless};

}  // namespace

const Backend& CurrentBackend() { return *current.load(); }

void SetBackend(const Backend& backend) {
    current = &headless;
    installed = backend;
    current = &installed;
}

void PumpBackendInput() {
    const Backend& b = CurrentBackend();
    if (b.waitInput) b.waitInput(0);
}

}  // namespace pl
