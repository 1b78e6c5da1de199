// The last error code of the calling thread, as the handheld's system kept it:
// platform calls that fail set it, ShowLastError-style reports read it. Codes
// are the host's error numbers (errno), so the text is the host's description.
#pragma once

#include <cstdint>
#include <string>

namespace pl {

uint32_t GetLastError();
void SetLastError(uint32_t code);

// The system's text for an error code ("No such file or directory" for 2);
// "Unknown error <n>" for a code the host does not know.
std::string ErrorText(uint32_t code);

}  // namespace pl
