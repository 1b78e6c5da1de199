// The set-up of the benchmarks of screens: the high-resolution screen (480 x
// 640 at 192 dpi), the program's bitmaps, a program folder with the symbol
// face (the fonts of the views need it; a folder of the process's own,
// BenchFolder) and a 480 x 640 DIB as the draw window, for the benchmark's
// lifetime.
#pragma once

#include <filesystem>
#include <string>

#include "bench_folder.h"

#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/screen_layout.h"

struct HighResolutionView {
    std::filesystem::path folder;
    DrawWindowRecord* record = nullptr;
    explicit HighResolutionView(const std::string& folderName)
        : folder(BenchFolder(folderName)) {
        std::filesystem::create_directories(folder / "font");
        std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", folder / "font" / "symbol.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        pl::SetProgramFolder(folder.string());
        ResetSharedState();
        ValidatePreferences();
        InstallProgramResources();
        pl::SetScreenInfo(pl::ScreenInfo{480, 640, 192});
        ResetScreenScale();
        displayScale = DisplayScale{2.0, 2.0};
        InitColorSet();
        record = CreateOffscreenDib(480, 640, 16);
        SetDrawWindow(record);
    }
    ~HighResolutionView() {
        DeleteOffscreenWindow(record);
        ReleaseDrawWindow();
        pl::ClearResourceGroups();
        pl::SetProgramFolder("");
        std::filesystem::remove_all(folder);
    }
    HighResolutionView(const HighResolutionView&) = delete;
    HighResolutionView& operator=(const HighResolutionView&) = delete;
};
