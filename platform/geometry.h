// Sizes, with the points and rectangles of the platform types.
#pragma once

#include "platform/types.h"

namespace pl {

struct Size {
    int width = 0;
    int height = 0;
};

}  // namespace pl
