// Pictures of Martian features from the mars picture folder: shown in a box,
// and inside the feature's call-out on the map.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assistants/mars_map_view.h"
#include "catalog/object_pictures.h"
#include "support/draw_fixture.h"
#include "support/jpeg_file.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"

namespace {

constexpr uint16_t kGround = 0x0421;

class MarsFeaturePicture : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetImageRequest();
        std::filesystem::create_directories(folder.path() / "mars");
        std::vector<unsigned char> green;
        for (int i = 0; i < 64 * 64; ++i) green.insert(green.end(), {0, 255, 0});
        ASSERT_TRUE(WriteJpegFile((folder.path() / "mars" / "mons_Olympus.jpg").string(), 64, 64, green));
        canvas = DibWindow(240, 240);
        Fill(canvas, kGround);
    }
    // Pixels of the picture's green (JPEG keeps a plain colour close).
    int GreenPixels() const {
        int n = 0;
        for (int y = 0; y < canvas->bottom; ++y)
            for (int x = 0; x < canvas->right; ++x) {
                uint16_t p = Pixel(canvas, x, y);
                n += (p >> 10 & 31) < 4 && (p >> 5 & 31) > 27 && (p & 31) < 4;
            }
        return n;
    }
    TempProgramFolder folder{"mars_pictures"};
    RecordingServices services;
    DrawWindowRecord* canvas = nullptr;
};

// "Olympus Mons" of type 1 asks for "mons_Olympus" in the mars folder and is
// shown; a feature without a picture and a null record show nothing.
TEST_F(MarsFeaturePicture, FirstWordOfTheNameWithTheTypesPrefix) {
    MarsFeatureRecord olympus{"Olympus Mons", 1, 82, 127, 610, 18.65f, -133.8f};
    EXPECT_EQ(ShowMarsFeaturePicture(&olympus), 1);
    EXPECT_EQ(std::string(imageRequest.name), "mons_Olympus.jpg");
    EXPECT_EQ(imageRequest.folder, 3);
    EXPECT_GT(GreenPixels(), 60 * 60);  // 64 x 64, never enlarged
    MarsFeatureRecord gale{"Gale", 2, 505, 154, 150, -5.4f, 137.8f};
    EXPECT_EQ(ShowMarsFeaturePicture(&gale), 0);
    EXPECT_EQ(ShowMarsFeaturePicture(nullptr), 0);
    EXPECT_TRUE(services.messages.empty());
}

// The call-out holds the picture when the folder has one.
TEST_F(MarsFeaturePicture, CalloutShowsThePictureWhenThereIsOne) {
    MarsFeatureRecord gale{"Gale", 2, 100, 150, 150, -5.4f, 137.8f};
    DrawMarsFeatureCallout(gale, 0, -100, XywhRect{0, 0, 240, 240});
    EXPECT_EQ(GreenPixels(), 0);
    MarsFeatureRecord olympus{"Olympus Mons", 1, 100, 150, 610, 18.65f, -133.8f};
    DrawMarsFeatureCallout(olympus, 0, -100, XywhRect{0, 0, 240, 240});
    EXPECT_GT(GreenPixels(), 40 * 40);
}

}  // namespace
