// dialog-bench: how long a dialog takes to build from the costliest definition the reader
// accepts. A definition is untrusted input; its bounds (4 MiB, 2000 controls, 64 KiB lines)
// only help if building stays near-linear inside them. The crafted one spends its bytes on
// tabs whose page lists hold as many distinct (page, control) pairs as a line can, the part
// that once took quadratic time. Beside it: the reading alone, and the same dialog without
// its page lists (creating 1900 windows under Wine takes most of the time that is left).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr int kPages = 10;

double Seconds() {
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}
constexpr int kLineLimit = 65000;  // under the reader's 64 KiB line bound

void Section(std::string& text, const char* type, int id, const std::string& lines) {
    text += "[" + std::string(type) + "]\r\nID=" + std::to_string(id) + "\r\nNAME=C" + std::to_string(id) +
            "\r\nPOSITION=0 0 10 10\r\nSTYLE=WS_VISIBLE\r\n" + lines + "\r\n";
}

// Tabs first, then buttons up to the control bound; each tab attaches distinct (page,
// button) pairs, as many as a line holds, until the definition's byte bound is reached.
std::string CraftedDefinition(int& tabs, int& pairs) {
    const int buttons = DialogDefinition::kMaxControls - 100;
    std::string content = "TAB_CONTENT=";
    for (int page = 0; page < kPages; page++)
        content += page ? ",P" : "P";
    std::string text = "DIALOG EDITOR v1.00\r\n\r\n[DIALOG]\r\nID=0\r\nNAME=D\r\nPOSITION=0 0 400 300\r\n\r\n";
    std::string tabText;
    tabs = 0;
    pairs = 0;
    for (int tab = 1; tab < 100; tab++) {
        std::string children = "TAB_CHILDREN_PRIVATE=";
        for (int n = tab; children.size() + 12 < kLineLimit; n += 7) {
            const int button = 100 + n % buttons;
            children += std::to_string(n / buttons % kPages) + " " + std::to_string(button) + " ";
            pairs++;
        }
        std::string section;
        Section(section, "TAB", tab, content + "\r\n" + children + "\r\n");
        if (text.size() + tabText.size() + section.size() + buttons * 90 > DialogDefinition::kMaxDefinitionBytes)
            break;
        tabText += section;
        tabs++;
    }
    text += tabText;
    for (int i = 0; i < buttons; i++)
        Section(text, "BUTTON", 100 + i, "");
    return text;
}

// The median of 3 builds after a warm-up, in seconds; negative when the dialog was not built.
double BuildSeconds(const std::string& text, int minimumControls) {
    std::vector<double> rounds;
    for (int round = 0; round < 4; round++) {
        MemoryStream stream;
        stream.Write(text.data(), static_cast<int>(text.size()));
        DialogWindow dialog;
        const double start = Seconds();
        if (!dialog.BuildFromDefinition(&stream, nullptr, nullptr) || dialog.ControlCount() < minimumControls)
            return -1;
        if (round > 0)
            rounds.push_back(Seconds() - start);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ToolkitInit(instance);
    int tabs = 0, pairs = 0;
    const std::string text = CraftedDefinition(tabs, pairs);
    // The same controls without their page lists: what creating the windows alone costs.
    std::string plain = text;
    for (size_t at = plain.find("TAB_CHILDREN_PRIVATE="); at != std::string::npos;
         at = plain.find("TAB_CHILDREN_PRIVATE=", at))
        plain.erase(at, plain.find("\r\n", at) + 2 - at);
    MemoryStream stream;
    stream.Write(text.data(), static_cast<int>(text.size()));
    stream.Seek(0);
    DialogDefinition definition;
    const double readStart = Seconds();
    const bool read = definition.ReadDefinition(&stream);
    const double reading = Seconds() - readStart;
    const double crafted = BuildSeconds(text, DialogDefinition::kMaxControls - 100);
    const double windows = BuildSeconds(plain, DialogDefinition::kMaxControls - 100);
    ToolkitShutdown(instance);
    if (!read || crafted < 0 || windows < 0) {
        fputs("dialog-bench: the crafted definition was not built\n", stderr);
        return 1;
    }
    printf(
        "crafted dialog definition (%d bytes, %d tabs, %d page pairs): read in %.3f s, built in %.3f s "
        "(median of 3); without the page pairs %.3f s\n",
        static_cast<int>(text.size()), tabs, pairs, reading, crafted, windows);
    return 0;
}
