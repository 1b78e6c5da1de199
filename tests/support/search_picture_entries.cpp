#include "support/search_picture_entries.h"

#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/selection_search.h"
#include "platform/clock.h"
#include "platform/gdi.h"
#include "platform/image_files.h"
#include "support/fuzz_folder.h"
#include "support/recording_services.h"

int RunPictures(const uint8_t* data, std::size_t size) {
    FuzzFolder folder;
    folder.Write("img\\picture.jpg", data, size);
    pl::Hbitmap picture = pl::LoadImageFile("img\\picture.jpg");
    if (!picture) return 0;
    pl::BitmapInfo info{};
    const bool read = pl::GetBitmapInfo(picture, &info);
    pl::DeleteObject(picture);
    if (!read || info.width < 1 || info.height < 1 || info.width > 16384 || info.height > 16384) return 1;
    return 0;
}

int RunCriteriaSearch(const uint8_t* data, std::size_t size) {
    FuzzFolder folder;
    RecordingServices services;
    const int selector = size > 0 ? data[0] : 0;
    std::string files[2];
    if (size > 0) SplitFuzzInput(data + 1, size - 1, "%ZDV%", files, 2);
    folder.Write("data\\zendavori_obj_1k.ppc", files[0]);
    folder.Write("usercatalogs\\user.pdb", files[1]);
    ResetSharedState();
    ResetCatalogState();
    pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 21, 0, 0});
    SetSiteLatitude(currentSite, 51.0);
    currentSite.longitude = 0.0f;
    preferences.word[117] = selector & 1 ? 0 : 2;
    preferences.word[18] = 0;  // "Max Selected items" 25
    char* name = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(name, 0, kUserCatalogNameSize);
    std::memcpy(name, "user.pdb", 8);
    selectionClassFilter = 0;
    int result = 0;
    if (AllocSelectionList() == 1) {
        OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc");
        UseObjectFileRanges(false);
        OpenUserCatalog();
        static const int catalogues[] = {kDesignationUser, kDesignationNgc, kDesignationIc, kDesignationMessier};
        PrepareSelection((selector >> 1) & 7, catalogues[(selector >> 4) % 4],
                         (selector >> 6) == 3 ? 0 : selector >> 6);
        BuildSelectionList();
        if (selectionCount > GetSelectionListAllocated()) result = 1;
        for (int i = 0; i < selectionCount && result == 0; ++i)
            if (!std::memchr(selectionList[i].name, '\0', sizeof selectionList[i].name)) result = 2;
        for (int row = 0; row < selectionShownCount && result == 0; ++row) {
            int position = GetSelectionIndex(row);
            if (position < 0 || position >= selectionCount) result = 3;
        }
    }
    FreeSelectionList();
    ResetCatalogState();
    pl::UseRealClock();
    return result;
}
