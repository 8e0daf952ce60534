// CliSystem over a POSIX terminal; see CliSystem.h.
#include "app/cli/CliSystem.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include "app/cli/CliCancel.h"
#include "toolkit/base/PathName.h"

namespace {

constexpr int kMaxPath = 1024;

struct sigaction previousInterrupt;

void OnInterrupt(int) {
    RaiseCliCancel();
}

}  // namespace

CliConsole StandardConsole() {
    CliConsole console;
    console.out = stdout;
    console.messages = stderr;
    console.answers = stdin;
    console.interactive = isatty(STDIN_FILENO) != 0;
    console.barOnConsole = isatty(STDERR_FILENO) != 0;
    return console;
}

uint32_t CliMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u + now.tv_nsec / 1000000);
}

void StartCliSession() {
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Without the handler Ctrl+C ends the process at once, as for any terminal program.
    (void)sigaction(SIGINT, &action, &previousInterrupt);
}

void EndCliSession() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
}

bool WriteToConsole(FILE*, const String&) {
    return false;  // a terminal takes the UTF-8 bytes as they are
}

String CliShownPath(const char* path) {
    String shown(path);
    shown.Replace('\\', '/');
    return shown;
}

String CliProgramFolder() {
    char buffer[kMaxPath];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
        return String();
    buffer[length] = 0;
    return PathName(buffer).GetFolderPath();
}
