// Stress tests of the window framework: two
// threads creating, using and destroying windows (and playing sounds) at the same time, and
// a create-use-destroy cycle whose GDI objects are counted: the room left for new GDI objects
// must be the same after the cycles as before them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "tests/toolkit/media/TestPictures.h"
#include "tests/toolkit/media/TestSounds.h"
#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"
#include "toolkit/window/Toolkit.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

constexpr UINT kPing = WM_USER + 77;

// Answers kPing with its own address, so that a lookup through the wrong object shows.
class PingWindow : public Window {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return message == kPing ? reinterpret_cast<LRESULT>(this) : Window::OnMessage(message, wParam, lParam);
    }
};

// Each round keeps 60 windows of each thread alive at once; a few rounds overlap the two
// threads' creations, lookups and destructions many times over.
constexpr int kChurnRounds = 3;

void Churn(int& failures, int& sounds) {
    Sound sound;
    const bool haveSound = GetSoundDevice() && mediatest::LoadSimpleWave(&sound, mediatest::WaveFormat(), 2205);
    for (int round = 0; round < kChurnRounds; round++) {
        std::vector<std::unique_ptr<PingWindow>> windows;
        for (int i = 0; i < 30; i++) {
            PingWindow& top = *windows.emplace_back(new PingWindow);
            PingWindow& child = *windows.emplace_back(new PingWindow);
            failures +=
                !CreateAt(top, 0, 0, 60, 40) || !CreateAt(child, 0, 0, 60, 40, WS_CHILD | WS_VISIBLE, top.Handle());
        }
        sounds += haveSound && sound.Play(0, 0);
        for (const auto& window : windows) {
            failures += Window::FromHandle(window->Handle()) != window.get();
            failures += SendMessageA(window->Handle(), kPing, 0, 0) != reinterpret_cast<LRESULT>(window.get());
        }
        Array<Window*> children;
        failures += windows[0]->GetChildren(children, nullptr, true) != 1 || children[0] != windows[1].get();
        PumpMessages();
        for (size_t i = 0; i < windows.size(); i += 2) {
            windows[i].reset();  // destroys the child's window with it
            failures += windows[i + 1]->Handle() != nullptr;
        }
    }
    PumpMessages();
}

TEST(Threads, TwoThreadsCreateUseAndDestroyWindowsAtOnce) {
    SoundStartup(GetToolkitWindowHandle(), 2);
    const int baseline = WindowRegistry::Count();
    int failures[2] = {}, sounds[2] = {};
    std::thread first(Churn, std::ref(failures[0]), std::ref(sounds[0]));
    Churn(failures[1], sounds[1]);
    first.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
    EXPECT_EQ((sounds[0] > 0) + (sounds[1] > 0), GetSoundDevice() ? 2 : 0);  // each thread played
    EXPECT_EQ(WindowRegistry::Count(), baseline);
    SoundShutdown();
}

// One cycle: a child window with a control of its own, a background erase and, every fourth
// cycle, a region cut from an image; then destruction. (The caret, scroll bars, hot zones and
// clicks make no GDI object of the toolkit's.)
bool RunCycle(int iteration, HWND host, HDC canvas) {
    PingWindow window;
    if (!CreateAt(window, 0, 0, 60, 40, WS_CHILD, host))
        return false;
    Window button;
    button.kind = KIND_BUTTON;
    const RECT rect{0, 0, 20, 10};
    if (!button.CreateControl("BUTTON", ArgsAt(rect, WS_CHILD | WS_VISIBLE, window.Handle())))
        return false;
    SendMessageA(window.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas), 0);
    if (iteration % 4 != 0)
        return !window.HasRegion();
    Image image(8, 8);
    HRGN region = image.CreateRegion(0x00FF00FF);
    if (!region)
        return false;
    SetWindowRgn(window.Handle(), region, FALSE);  // the window owns the region from here
    return window.HasRegion();
}

TEST(Leaks, CreateUseDestroyCycleLeavesNoGdiObject) {
    // Cycle windows are children of one hidden host: a top-level window costs Wine an X11
    // window each time.
    PingWindow host;
    ASSERT_TRUE(CreateAt(host, 0, 0, 60, 40));
    HDC canvas = GetDC(host.Handle());
    // The first cycles fill the system's own caches (stock objects, the button theme).
    for (int i = 0; i < 32; i++)
        ASSERT_TRUE(RunCycle(i, host.Handle(), canvas));
    const int room = mediatest::GdiRoom();
    // A leak of one object per cycle, or of the region every fourth cycle, passes the slack.
    for (int i = 0; i < 240; i++)
        ASSERT_TRUE(RunCycle(i, host.Handle(), canvas)) << "cycle " << i;
    // A little slack for lazy caches (none has been seen).
    EXPECT_LT(room - mediatest::GdiRoom(), 25);
    ReleaseDC(host.Handle(), canvas);
}

}  // namespace
