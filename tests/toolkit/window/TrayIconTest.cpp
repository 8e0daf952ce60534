// Tests of TrayIcon: adding with a cut tooltip, tooltip changes, and the icon coming back after
// the shell restarts. Its clicks are tested through the program.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/TrayIcon.h"

namespace {

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
    Window owner;
    TrayIcon tray;
};

TEST_F(TrayIconTest, TipIsCutAndChangedInPlace) {
    const std::string longTip(100, 'x');
    EXPECT_TRUE(tray.SetTip(longTip.c_str()));
    EXPECT_EQ(std::string(tray.Tip()), longTip.substr(0, TrayIcon::kMaxTipLength));
    EXPECT_TRUE(tray.SetTip("Busy"));
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
