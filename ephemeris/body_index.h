// The solar-system bodies as every screen numbers them (BodyIndex).
#pragma once

enum BodyIndex : int {
    kBodyIndexSun = 0,
    kBodyIndexMoon = 1,
    kBodyIndexMercury = 2,
    kBodyIndexVenus = 3,
    kBodyIndexMars = 4,
    kBodyIndexJupiter = 5,
    kBodyIndexSaturn = 6,
    kBodyIndexUranus = 7,
    kBodyIndexNeptune = 8,
    kBodyIndexPluto = 9,
    kBodyIndexEarth = 10,
    kBodyIndexEarthShadow = 13  // centre of the Earth's shadow at the Moon's distance
};
