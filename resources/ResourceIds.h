// The program's embedded resources: icons, pictures (type "BINARY", PNG unless noted), sounds
// (type "WAVE", 16-bit PCM) and the Appearance dialog definition. resources.rc embeds the
// generated files under these numbers; only the application includes this header.
#pragma once

namespace resource {

constexpr const char* kBinaryType = "BINARY";
constexpr const char* kWaveType = "WAVE";

// Icons of 16, 20, 24, 32, 40, 48 and 64 pixels: the small and large sizes at 100 % to 200 %.
constexpr int kWindowIcon = 107;
constexpr int kTrayIcon = 108;

// Still picture of the main window and the pictures of the child windows.
constexpr int kSkin = 130;                // 130 x 175
constexpr int kHelpBackground = 131;      // 700 x 500
constexpr int kHelpPicture = 132;         // 700 x 500, drawn over the help background
constexpr int kQuestionBackground = 134;  // 325 x 190
constexpr int kMessageBackground = 135;   // 229 x 136
constexpr int kCheckButton = 136;         // 44 x 47 each
constexpr int kCheckButtonHover = 137;
constexpr int kCrossButton = 138;
constexpr int kCrossButtonHover = 139;
// Text of the Appearance dialog in the dialog definition format.
constexpr int kAppearanceDialog = 141;

constexpr int kSkinWidth = 130;
constexpr int kSkinHeight = 175;

// Every picture above and below (skin, child-window backgrounds and buttons, help picture,
// animation frames, dial) is drawn a second time at twice the width and height, under its id
// plus kDoubleSize: 1130 .. 1139, 1200 .. 1510 and 1600 .. 1640. Sizes and places named here
// are in 96-DPI pixels.
constexpr int kDoubleSize = 1000;

// Animation `id` plays the frames firstFrame .. firstFrame + frameCount - 1.
struct AnimationFrames {
    int id;
    int firstFrame;
    int frameCount;
};
constexpr int kAnimationCount = 7;
constexpr int kFirstAnimation = 100;
constexpr AnimationFrames kAnimations[kAnimationCount] = {
    {100, 200, 13},  // an archive-kind file over the window: the medium comes out
    {101, 250, 12},  // the medium goes in
    {102, 300, 11},  // working (loops, carries the dial)
    {103, 350, 11},  // a key file over the window
    {104, 400, 15},  // the key goes in, first part
    {105, 450, 13},  // the key goes in, second part
    {106, 500, 11},  // a file of another kind: refused
};
constexpr int kAnimationArchiveOver = 100;
constexpr int kAnimationArchiveIn = 101;
constexpr int kAnimationWorking = 102;
constexpr int kAnimationKeyOver = 103;
constexpr int kAnimationKeyIn = 104;
constexpr int kAnimationKeyImport = 105;
constexpr int kAnimationOtherOver = 106;

// Progress dial: kDialFirst (empty) .. kDialFirst + kDialSteps - 1 (full), drawn at
// (kDialX, kDialY) over the working frames.
constexpr int kDialFirst = 600;
constexpr int kDialSteps = 41;
constexpr int kDialLast = kDialFirst + kDialSteps - 1;
constexpr int kDialX = 5;
constexpr int kDialY = 0;
constexpr int kDialSize = 42;

// Sounds.
constexpr int kSoundArchiveOver = 550;
constexpr int kSoundKeyOver = 551;
constexpr int kSoundKeyDropped = 552;
constexpr int kSoundOtherOver = 553;
constexpr int kSoundError = 554;
constexpr int kSoundFirst = kSoundArchiveOver;
constexpr int kSoundCount = 5;

}  // namespace resource
