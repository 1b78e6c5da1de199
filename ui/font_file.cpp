// Installing the program's own font file. Until the platform's message boxes
// are in, the two failure messages go to the "Information" box.
#include "core/services.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "ui/font_set.h"

void ReportFontRemovalFailure() {}

int AddFontFile(const std::string& path) {
    if (!pl::FileExists(path)) {
        ShowInformation("Can't find font ressource. Please check font sub directory exist and is not empty.", "");
        return 0;
    }
    if (pl::RemoveFontResourceFile(path)) pl::SendBroadcast(pl::WM_FONTCHANGE, 0, 0);
    int count = pl::AddFontResourceFile(path);
    if (count < 1)
        ShowInformation("Can't add font ressource.", "");
    else
        pl::SendBroadcast(pl::WM_FONTCHANGE, 0, 0);
    return count;
}
