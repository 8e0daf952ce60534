// The drop target under a real OLE drag from another process: which drags it accepts, what it
// reports to its sink, and what the dragging side is told.
#include "app/DropTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/DragDriver.h"

namespace {

struct RecordingSink : DropSink {
    std::vector<std::string> events;

    bool AcceptsDrags() const override { return true; }
    void OnDragEnter(const String& path) override { events.push_back("enter " + std::string(path.Text())); }
    void OnDragLeave(const String& path) override { events.push_back("leave " + std::string(path.Text())); }
    void OnDrop(const String& path) override { events.push_back("drop " + std::string(path.Text())); }
};

std::string PathOfLength(int length) {
    std::string path = "C:\\";
    while (static_cast<int>(path.size()) < length - 4)
        path += path.size() % 50 == 49 ? '\\' : 'd';
    return path + ".enc";
}

// Two files, and a drop while the program is busy, are refused through the program.
TEST(DropTargetTest, AcceptsOneFileOfAPathThatFitsAndReportsEachStage) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "target", WS_POPUP | WS_VISIBLE, 300, 200, 130, 175, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    RecordingSink sink;
    DropTarget* target = new DropTarget(sink);
    ASSERT_TRUE(target->Register(window));
    const struct {
        const char* name;
        std::vector<std::string> files;
        bool leave;
        int expectedExit;  // of the drag source: 0 dropped, 1 refused
    } cases[] = {
        {"one file dropped", {"C:\\in\\letters.enc"}, false, 0},
        {"one file dragged in and out", {"C:\\in\\a key.KEY"}, true, 1},
        {"path of MAX_PATH - 1 characters", {PathOfLength(MAX_PATH - 1)}, false, 0},
        {"path of MAX_PATH characters", {PathOfLength(MAX_PATH)}, false, 1},
    };
    for (const auto& c : cases) {  // dragged to the window's centre
        SCOPED_TRACE(c.name);
        sink.events.clear();
        EXPECT_EQ(kvrtest::DragFiles(POINT{365, 287}, c.files, c.leave), c.expectedExit);
        // An accepted drag is told to the sink: enter, then leave or drop, naming the first file.
        const std::vector<std::string> told = {"enter " + c.files[0], (c.leave ? "leave " : "drop ") + c.files[0]};
        EXPECT_EQ(sink.events, c.leave || c.expectedExit == 0 ? told : std::vector<std::string>());
        EXPECT_FALSE(target->IsAccepted());
    }
    target->Revoke();
    target->Release();
    DestroyWindow(window);
    OleUninitialize();
}

}  // namespace
