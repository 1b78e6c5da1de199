// The texts the platform's text log (platform/text_log.h) holds for the
// screen, read as lines: for tests that read what a view printed. The log
// must run while the view draws; call while the program is parked.
#pragma once

#include <string>
#include <vector>

// The screen's logged texts grouped by the top of their cells, lines top
// down, each line's texts left to right.
std::vector<std::vector<std::string>> LoggedScreenLines();
