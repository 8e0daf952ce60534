// Small rules of the windowed program: the dial picture for a progress value and the kind of
// a dropped file.
#include <gtest/gtest.h>

#include "app/FileKind.h"
#include "app/ProgressDial.h"

namespace {

TEST(ProgressDial, TurnsEvenlyThroughBothHalves) {
    const struct {
        int progress;
        int picture;
    } cases[] = {
        {0, 0},     {49, 0},    {50, 1},    {999, 19},  {1000, 20}, {1001, 21},
        {1053, 22}, {1500, 30}, {1999, 39}, {2000, 40}, {-7, 0},    {2600, 40},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialPictureIndex(c.progress), c.picture) << "progress " << c.progress;
}

TEST(FileKind, ToldByTheExtensionWithoutRegardToCase) {
    const struct {
        const char* path;
        FileKind kind;
    } cases[] = {
        {"C:\\in\\letters.enc", FileKind::kDecryptable}, {"C:\\in\\PHOTO.PNG", FileKind::kDecryptable},
        {"C:\\in\\song.Wav", FileKind::kDecryptable},    {"C:\\in\\picture.bmp", FileKind::kDecryptable},
        {"C:\\in\\project.Key", FileKind::kKey},         {"C:\\in\\notes.txt", FileKind::kOther},
        {"C:\\in\\no extension", FileKind::kOther},      {"C:\\in.enc\\file", FileKind::kOther},
        {"C:\\in\\archive.enc.txt", FileKind::kOther},   {"C:\\in\\key.", FileKind::kOther},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyFile(c.path), c.kind) << c.path;
}

}  // namespace
