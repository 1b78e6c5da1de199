#include "app/start_environment.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl_backend.h"

namespace {

std::string Line(const char* format, int a, int b = 0, int c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

StartEnvironment ReadStartEnvironment(bool window) {
    StartEnvironment e;
    if (!pl::ScreenFromEnvironment(window ? pl::kWindowScreen : pl::kHeadlessScreen, &e.screen))
        e.warnings.push_back(Line("ZENDAVORI_SCREEN is not WxH@DPI; using %dx%d@%d", e.screen.width,
                                  e.screen.height, e.screen.dpi));
    if (!pl::ZoomFromEnvironment(&e.zoom))
        e.warnings.push_back(Line("ZENDAVORI_ZOOM is not a whole number 1..8; using %d", e.zoom));
    const char* simulation = std::getenv("ZENDAVORI_SCOPE_SIMULATION");
    if (simulation && *simulation && std::strcmp(simulation, "0") != 0 && std::strcmp(simulation, "1") != 0)
        e.warnings.push_back("ZENDAVORI_SCOPE_SIMULATION is not 0 or 1; using 0");
    return e;
}
