// Tests of TrayIcon: adding with a cut tooltip, the nine mouse events from posted callbacks,
// tooltip changes, and the icon coming back after the shell restarts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/TrayIcon.h"

namespace {

class TrayOwner : public Window {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SWND_TRAYEVENT) {
            codes.push_back(reinterpret_cast<const TrayEvent*>(lParam)->code);
            sender = reinterpret_cast<TrayIcon*>(wParam);
            return 0;
        }
        return Window::OnMessage(message, wParam, lParam);
    }
    std::vector<uint32_t> codes;
    TrayIcon* sender = nullptr;
};

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 40, 40));
        ASSERT_TRUE(tray.Create(LoadIconA(nullptr, IDI_APPLICATION), "KVR Decryptor", owner.Handle()));
    }
    NOTIFYICONDATAA IconData() const {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = tray.Handle();
        data.uID = TrayIcon::kIconId;
        return data;
    }
    // True while the shell knows our icon: modifying it succeeds only then.
    bool ShellHasIcon() {
        NOTIFYICONDATAA data = IconData();
        return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    }
    TrayOwner owner;
    TrayIcon tray;
};

TEST_F(TrayIconTest, EachButtonMessageGivesOneEvent) {
    struct Case {
        UINT mouseMessage;
        uint32_t code;  // 0: no event
    } const cases[] = {
        {WM_LBUTTONDOWN, 9},    {WM_LBUTTONUP, 17},     {WM_LBUTTONDBLCLK, 65}, {WM_RBUTTONDOWN, 12},
        {WM_RBUTTONUP, 20},     {WM_RBUTTONDBLCLK, 68}, {WM_MBUTTONDOWN, 10},   {WM_MBUTTONUP, 18},
        {WM_MBUTTONDBLCLK, 66}, {WM_MOUSEMOVE, 0},      {WM_MOUSEWHEEL, 0},
    };
    for (const Case& c : cases) {
        owner.codes.clear();
        PostMessageA(tray.Handle(), WM_SWND_TRAYCALLBACK, TrayIcon::kIconId, c.mouseMessage);
        PumpMessages();
        EXPECT_EQ(owner.codes, c.code ? std::vector<uint32_t>{c.code} : std::vector<uint32_t>{}) << c.mouseMessage;
    }
    EXPECT_EQ(owner.sender, &tray);
    EXPECT_EQ(SendMessageA(tray.Handle(), WM_SWND_TRAYCALLBACK, TrayIcon::kIconId, WM_MOUSEMOVE), 1);
}

TEST_F(TrayIconTest, TipIsCutAndChangedInPlace) {
    const std::string longTip(100, 'x');
    EXPECT_TRUE(tray.SetTip(longTip.c_str()));
    EXPECT_EQ(std::string(tray.Tip()), longTip.substr(0, TrayIcon::kMaxTipLength));
    EXPECT_TRUE(tray.SetTip("Busy"));
    EXPECT_STREQ(tray.Tip(), "Busy");
    EXPECT_TRUE(ShellHasIcon());
    TrayIcon second;
    ASSERT_TRUE(second.Create(nullptr, longTip.c_str(), owner.Handle()));
    EXPECT_EQ(strlen(second.Tip()), static_cast<size_t>(TrayIcon::kMaxTipLength));
}

TEST_F(TrayIconTest, ComesBackWhenTheShellRestartsAndLeavesWithItsWindow) {
    NOTIFYICONDATAA data = IconData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // the shell forgets it, as on a restart
    EXPECT_FALSE(ShellHasIcon());
    SendMessageA(tray.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHasIcon());
    ASSERT_TRUE(tray.Destroy());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
}

}  // namespace
