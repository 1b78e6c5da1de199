// Installing the program's own font file as a font resource for the run.
#include <string>

#include "platform/files.h"
#include "platform/focus.h"
#include "platform/fonts.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "ui/font_set.h"

namespace {

void BroadcastFontChange() { pl::SendBroadcast(pl::WM_FONTCHANGE, 0, 0); }

}  // namespace

int AddFontFile(const std::string& path) {
    if (!pl::FileExists(path)) {
        pl::MessageBox(pl::GetActiveWindow(),
                       "Can't find font ressource. Please check font sub directory exist and is not empty.", "",
                       pl::MB_OK | pl::MB_TOPMOST);
        return 0;
    }
    if (pl::RemoveFontResourceFile(path)) BroadcastFontChange();  // left from an earlier run
    int count = pl::AddFontResourceFile(path);
    if (count < 1)
        pl::MessageBox(pl::GetActiveWindow(), "Can't add font ressource.", "",
                       pl::MB_OK | pl::MB_TOPMOST | pl::MB_SETFOREGROUND);
    else
        BroadcastFontChange();
    return count;
}

void ReportFontRemovalFailure() {
    uint32_t code = pl::GetLastError();
    pl::MessageBox(nullptr, "Error " + std::to_string(code) + ": " + pl::ErrorText(code), "Error", pl::MB_OK);
}
