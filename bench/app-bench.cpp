// app-bench: the windowed program's own measurements, with its real main window, worker
// thread and engine in this process (files are handed to the window as its drop target
// would hand them over):
//   - the animation's tick rate while the worker decrypts a large archive (frames shown per
//     second; the timer asks for one every 10 ms),
//   - the CPU time the process takes while idle (no timer may run then),
//   - the working set after 10 and after 100 small drops,
//   - the private bytes before and after repeated question and help windows,
// at the display scale the process starts with (scripts/bench.sh runs it at 100 % and 200 %).
// Not run by the tests; scripts/bench.sh runs it after kvr-bench.
//   app-bench [--size-mb N (256)] [--drops N (100)]
#include <ole2.h>
#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramRun.h"
#include "app/QuestionWindow.h"
#include "bench/BenchInputs.h"
#include "bench/BenchTiming.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Toolkit.h"

namespace {

// Counts the animation ticks taken while a decryption runs.
class CountingWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kAnimationTimer && IsBusy()) {
            if (busyTicks == 0)
                firstBusyTick = Seconds();
            busyTicks++;
            lastBusyTick = Seconds();
        }
        return MainWindow::OnMessage(message, wParam, lParam);
    }
    int busyTicks = 0;
    double firstBusyTick = 0;
    double lastBusyTick = 0;
};

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Hands the file over as a drag and a drop would, and pumps until the window is idle again.
void DropAndWait(MainWindow& window, const std::string& path) {
    window.OnDragEnter(path.c_str());
    window.OnDrop(path.c_str());
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    } while (!window.IsIdle());
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize / (1024.0 * 1024.0);
}

double PrivateMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage / (1024.0 * 1024.0);
}

// A question answered with Escape beside an open help window: about 3 MB of pictures (the
// help window's are 1.4 MB each at 100 %), all of which must go again.
void QuestionAndHelp(HWND owner) {
    QuestionWindow question;
    HelpWindow help;
    if (!help.Open() || !question.Create("Overwrite?", owner))
        return;
    PostMessageA(question.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    (void)question.DoModal();
}

std::string MakeScratch() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "kvr-app-bench\\";
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "keys\\").c_str(), nullptr);
    return folder;
}

bool WriteKey(const std::string& path) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    for (int i = 0; i < 64; i++)
        fputc((i * 37 + 11) & 0xFF, file);
    return fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    int sizeMb = 256;
    int drops = 100;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--size-mb") == 0)
            sizeMb = atoi(argv[i + 1]);
        else if (strcmp(argv[i], "--drops") == 0)
            drops = atoi(argv[i + 1]);
    }
    const std::string scratch = MakeScratch();
    if (!WriteKey(scratch + "keys\\bench.key"))
        return 1;
    BenchArchiveSpec large;
    large.keyName = "bench.key";
    for (int i = 0; i < 64; i++)
        large.key.push_back(static_cast<uint8_t>((i * 37 + 11) & 0xFF));
    large.plainBytes = static_cast<uint64_t>(sizeMb) << 20;
    large.compressed = true;
    BenchArchiveSpec small = large;
    small.plainBytes = 20000;
    small.files = 3;
    printf("app-bench: writing a %d MB archive and %d small ones...\n", sizeMb, drops);
    if (!WriteBenchArchive(scratch + "large.enc", large))
        return 1;
    for (int i = 0; i < drops; i++) {
        if (!WriteBenchArchive(scratch + "small" + std::to_string(i) + ".enc", small))
            return 1;
    }

    HINSTANCE instance = GetModuleHandleA(nullptr);
    ToolkitInit(instance);
    GraphicsStartup();
    SoundStartup(GetToolkitWindowHandle(), 2);
    Application application;
    application.SetKeyFolder((scratch + "keys\\").c_str());
    OleInitialize(nullptr);
    CountingWindow* const window = new CountingWindow(application);
    if (!window->Create())
        return 1;
    HANDLE worker = StartWorkerThread(application);
    RECT frame{};
    GetWindowRect(window->Handle(), &frame);
    printf("window at %d DPI: %ld x %ld pixels\n", WindowDpi(window->Handle()), frame.right - frame.left,
           frame.bottom - frame.top);

    const double start = Seconds();
    DropAndWait(*window, scratch + "large.enc");
    const double busySeconds = window->lastBusyTick - window->firstBusyTick;
    const double fps = busySeconds > 0 ? (window->busyTicks - 1) / busySeconds : 0;
    printf("\nlarge archive (%d MB, compressed): %.1f s from drop to idle\n", sizeMb, Seconds() - start);
    printf("  animation while the worker decrypts: %d ticks in %.2f s = %.1f frames per second (target >= 80)\n",
           window->busyTicks, busySeconds, fps);

    const double cpuBefore = ProcessCpuSeconds();
    const double idleStart = Seconds();
    while (Seconds() - idleStart < 5) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    const double idleCpu = (ProcessCpuSeconds() - cpuBefore) / (Seconds() - idleStart) * 100;
    printf("  idle: %.2f %% of one core over 5 s (target: near zero)\n", idleCpu);

    double after10 = 0;
    for (int i = 0; i < drops; i++) {
        DropAndWait(*window, scratch + "small" + std::to_string(i) + ".enc");
        if (i + 1 == 10)
            after10 = WorkingSetMb();
    }
    const double afterAll = WorkingSetMb();
    printf("\nworking set after 10 drops: %.2f MB, after %d: %.2f MB, growth %.2f MB (target <= 2)\n", after10, drops,
           afterAll, afterAll - after10);

    // The first windows warm the caches up.
    for (int i = 0; i < 3; i++)
        QuestionAndHelp(window->Handle());
    Pump();
    const double beforeWindows = PrivateMb();
    const int windows = 30;
    for (int i = 0; i < windows; i++)
        QuestionAndHelp(window->Handle());
    Pump();
    const double afterWindows = PrivateMb();
    printf(
        "private bytes after 3 question and help windows: %.2f MB, after %d more: %.2f MB, growth %.2f MB "
        "(target <= 4)\n",
        beforeWindows, windows, afterWindows, afterWindows - beforeWindows);

    window->Close();
    Pump();
    StopWorkerThread(application, worker);
    delete window;
    OleUninitialize();
    SoundShutdown();
    GraphicsShutdown();
    ToolkitShutdown(instance);
    RemoveTree(scratch);
    return 0;
}
