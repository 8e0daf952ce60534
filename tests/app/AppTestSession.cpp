// Test support of the application-shell tests; see AppTestSession.h.
#include "tests/app/AppTestSession.h"

#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace apptest {

namespace {

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_TRUE(GraphicsStartup());
        ClearSettings();
    }
    void TearDown() override {
        ClearSettings();
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace

void ClearSettings() {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace apptest
