// The program's embedded resources, loaded the way the program loads them (Image from BINARY,
// Sound from WAVE, LoadImage for icons): one check per kind that a broken generator would fail.
// The art itself is pinned by resources/generate.sh --check, which compares the generated
// files byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmreg.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

namespace {

struct PictureCase {
    const char* name;
    int firstId;
    int count;
    int width, height;
};

// The drive's idle picture and every animation frame (added from the animation table) are 130 x 175.
const PictureCase kPictures[] = {
    {"skin", resource::kSkin, 1, 130, 175},
    {"dial", resource::kDialFirst, resource::kDialSteps, 42, 42},
    {"buttons", resource::kCheckButton, 4, 44, 47},
    {"message background", resource::kMessageBackground, 1, 229, 136},
    {"question background", resource::kQuestionBackground, 1, 325, 190},
    {"help background", resource::kHelpBackground, 1, 700, 500},
};

bool LoadPicture(int id, Image* image) {
    return image->LoadFromResource(resource::kBinaryType, id, GetModuleHandleA(nullptr));
}

class ResourceEmbedTest : public GraphicsTest {};

// The program ignores a picture that does not load; this is where a missing one shows. What
// each picture looks like is pinned by resource_generator_check (the files byte for byte).
TEST_F(ResourceEmbedTest, EveryPictureLoadsWithItsSizeAndFrameSetsEndWhereTheTableSays) {
    std::vector<PictureCase> groups(std::begin(kPictures), std::end(kPictures));
    for (const resource::AnimationFrames& set : resource::kAnimations) {
        groups.push_back({"animation", set.firstFrame, set.frameCount, 130, 175});
        Image image;  // a frame set ends where the table says
        EXPECT_FALSE(LoadPicture(set.firstFrame + set.frameCount, &image)) << set.id;
        EXPECT_FALSE(LoadPicture(set.firstFrame - 1, &image)) << set.id;
    }
    for (const PictureCase& group : groups) {
        for (int id = group.firstId; id < group.firstId + group.count; ++id) {
            SCOPED_TRACE(std::string(group.name) + " " + std::to_string(id));
            Image image;
            ASSERT_TRUE(LoadPicture(id, &image));
            EXPECT_EQ(std::vector<int>({image.Width(), image.Height(), image.PixelFormat()}),
                      std::vector<int>({group.width, group.height, Image::kPixelFormat32bppARGB}));
        }
    }
}

TEST(ResourceIconTest, BothIconsComeInEverySizeWithAnAlphaChannel) {
    for (int id : {resource::kWindowIcon, resource::kTrayIcon}) {
        for (int size : {16, 32, 48}) {
            SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size));
            const IconHandle icon(static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
            ICONINFO info = {};
            ASSERT_TRUE(icon && GetIconInfo(icon.Get(), &info));
            const GdiObject<HBITMAP> colourBits(info.hbmColor), mask(info.hbmMask);
            BITMAP colour = {};
            ASSERT_NE(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
            EXPECT_EQ(std::vector<LONG>({colour.bmWidth, colour.bmHeight, colour.bmBitsPixel}),
                      std::vector<LONG>({size, size, 32}));
        }
    }
}

TEST(ResourceSoundTest, SoundsAreShortMonoPcm) {
    for (int id = resource::kSoundFirst; id < resource::kSoundFirst + resource::kSoundCount; ++id) {
        SCOPED_TRACE(id);
        Sound sound;
        ASSERT_TRUE(sound.LoadWaveResource(id, GetModuleHandleA(nullptr)));
        EXPECT_EQ(std::vector<int>({sound.FormatTag(), sound.BitsPerSample(), sound.Channels()}),
                  std::vector<int>({WAVE_FORMAT_PCM, 16, 1}));  // mono 16-bit PCM
        ASSERT_GT(sound.SamplesPerSecond(), 0u);
        EXPECT_LT(sound.FrameCount(), sound.SamplesPerSecond() / 2);
    }
}

}  // namespace
