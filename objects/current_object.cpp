#include "objects/current_object.h"

ObjectRecord currentObject{};
