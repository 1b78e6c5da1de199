// The first 1130 records of an object file as both object files share them: IC
// objects at 0..71, NGC objects at 72..1125 (each in ascending number order),
// and the four further objects at 1126..1129 (M45 under the Messier designation,
// C9, C41 and C99 under the Caldwell designation). Every number of the built-in
// number tables is present, and NGC 40, 188, 224, 1952, 1976, 7089, 7789 and 7814
// sit at records 72, 85, 89, 266, 272, 1066, 1114 and 1125.
#pragma once

#include <vector>

#include "catalog/object_catalog.h"

namespace fixture {

std::vector<ObjectRecord> SharedObjectRecords();

// The values every record of SharedObjectRecords carries besides its key.
ObjectRecord SharedObject(int designation, int number);

}  // namespace fixture
