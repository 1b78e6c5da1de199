// Services around the object record that the forms showing an object share.
#pragma once

// Class code of an object type for the type filters: 4 cluster, 10 supernova
// remnant, 6 galaxy, 8 nebula, 11 star, 5 multiple star, 1 planet, 99 any other
// class; 99 also for a type outside the 42 rows of objectTypeTable.
int MapObjectTypeCode(int objectType);
