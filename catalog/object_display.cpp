#include "catalog/object_display.h"

#include "catalog/designations.h"

int MapObjectTypeCode(int objectType) {
    // By the class byte of the type's row: 1 cluster .. 7 planet.
    static constexpr int kCodeOfClass[] = {99, 4, 10, 6, 8, 11, 5, 1};
    if (objectType < 0 || objectType >= kObjectTypeCount) return 99;
    int objectClass = objectTypeTable[objectType].objectClass;
    return objectClass < 8 ? kCodeOfClass[objectClass] : 99;
}
