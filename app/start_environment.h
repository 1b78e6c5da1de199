// The environment values a start reads (ZENDAVORI_SCREEN, ZENDAVORI_ZOOM,
// ZENDAVORI_SCOPE_SIMULATION), each checked once: a value that cannot be used
// gives one line naming the variable and the value used instead.
#pragma once

#include <string>
#include <vector>

#include "platform/screen.h"

struct StartEnvironment {
    pl::ScreenInfo screen;              // the screen to start on
    int zoom = 1;                       // window pixels per screen pixel
    std::vector<std::string> warnings;  // one line for each value not used
};

// Reads the values for a start in a window (`window` true: default screen
// 480x640@192) or headless (240x320@96).
StartEnvironment ReadStartEnvironment(bool window);
