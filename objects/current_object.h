// The object that the object information form shows.
#pragma once

#include "catalog/object_catalog.h"

extern ObjectRecord currentObject;
