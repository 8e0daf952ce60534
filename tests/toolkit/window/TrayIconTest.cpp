// Tests of TrayIcon: adding with a cut tooltip, changing it, and the icon coming back after the shell
// restarts. Its clicks are tested through the program.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/TrayIcon.h"

namespace {

TEST(TrayIcon, TipIsCutAndTheIconComesBackWhenTheShellRestartsAndLeavesWithItsWindow) {
    Window owner;
    ASSERT_TRUE(CreateAt(owner, 0, 0, 40, 40));
    TrayIcon tray;
    const std::string longTip(100, 'x');
    ASSERT_TRUE(tray.Create(LoadIconA(nullptr, IDI_APPLICATION), longTip.c_str(), owner.Handle()));
    EXPECT_EQ(std::string(tray.Tip()), longTip.substr(0, TrayIcon::kMaxTipLength));
    EXPECT_TRUE(tray.SetTip("Busy"));
    EXPECT_STREQ(tray.Tip(), "Busy");
    // Modifying the icon succeeds only while the shell knows it.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = tray.Handle();
    data.uID = TrayIcon::kIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // the shell forgets it, as on a restart
    SendMessageA(tray.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    ASSERT_TRUE(tray.Destroy());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
}

}  // namespace
