#include "tools/twilight_graph.h"

#include <cstring>

#include "ui/forms.h"

char graphObjectName[kGraphNameSize] = "";
float graphObjectRA = -1.0f;
float graphObjectDec = 0.0f;
int32_t graphObjectKind = 0;
int32_t graphObjectIndex = 0;
int32_t graphPlanet = -1;
int32_t graphYear = -1, graphMonth = -1;
int32_t graphDay = 1;
int32_t graphCursorX = 20, graphCursorY = 80;
int32_t graphTimeBase = 0;
uint8_t graphObjectSet = 0;
uint8_t graphFromFinder = 0;

void SetGraphObjectName(const char* name) {
    const std::size_t length = name ? strnlen(name, kGraphNameSize - 1) : 0;
    if (length > 0) std::memcpy(graphObjectName, name, length);
    graphObjectName[length] = '\0';
}

void ResetTwilightGraphState() {
    graphObjectName[0] = '\0';
    graphObjectRA = -1.0f;
    graphObjectDec = 0.0f;
    graphObjectKind = graphObjectIndex = 0;
    graphPlanet = -1;
    graphYear = graphMonth = -1;
    graphDay = 1;
    graphCursorX = 20, graphCursorY = 80;
    graphTimeBase = 0;
    graphObjectSet = graphFromFinder = 0;
}

void OpenAltitudeGraph(const char* name, int kind, int index, float ra, float dec, int planet, int year,
                       int month) {
    SetGraphObjectName(name);
    graphObjectKind = kind;
    graphObjectIndex = index;
    graphObjectRA = ra;
    graphObjectDec = dec;
    graphPlanet = planet;
    graphYear = year;
    graphMonth = month;
    graphObjectSet = 1;
    GotoForm(kTwilightForm);
}
