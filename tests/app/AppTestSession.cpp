// Test support for the application tests: the toolkit and GDI+ brought up once per program,
// and the program's settings key emptied before and after the run.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/Settings.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace {

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_TRUE(GraphicsStartup());
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    void TearDown() override {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace
