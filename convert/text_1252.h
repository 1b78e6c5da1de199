// Texts of the public catalogues (UTF-8) turned into the program's Windows-1252
// bytes: characters the code page has are kept, Greek letters are spelled out
// ("alpha", "Omega"), other Latin letters lose their accents, and anything else
// becomes "?".
#pragma once

#include <string>

namespace convert {

std::string ToWindows1252(const std::string& utf8);

}  // namespace convert
