// ProgramTest: see ProgramFixture.h.
#include "tests/app/ProgramFixture.h"

namespace kvrtest {

COLORREF ScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

int Brightness(COLORREF colour) {
    return std::min({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
}

// Without a compositor a layered window reaches the screen blended onto black: every channel
// scaled by the window's opacity.
bool ShowsScaled(POINT point, COLORREF full, int opacity) {
    const COLORREF seen = ScreenPixel(point);
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int(seen >> shift & 0xFF) - int(full >> shift & 0xFF) * opacity / 255));
    return worst <= 3;
}

HWND ControlAt(HWND dialog, POINT topLeft) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == topLeft.x && rect.top == topLeft.y)
            return child;
    }
    return nullptr;
}

// Whether `upper` comes before `lower` in the order of the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper || window == lower)
            return window == upper;
    }
    return false;
}

bool Click(HWND dialog, POINT button) {
    HWND control = ControlAt(dialog, button);
    return control && PostMessageA(control, BM_CLICK, 0, 0);
}

// Moves a slider as a drag would: the thumb, then the scroll notification to the dialog.
void Slide(HWND dialog, POINT slider, int position) {
    HWND control = ControlAt(dialog, slider);
    SendMessageA(control, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(control));
}

COLORREF SwatchPixel(HWND dialog) {
    POINT centre{kColorSwatch.x + 25, kColorSwatch.y + 12};
    ClientToScreen(dialog, &centre);
    return ScreenPixel(centre);
}

// Whether a visible tooltip window of any process shows the text: the shell's balloons are
// such windows.
bool TipShown(const std::string& wanted) {
    return kvrtest::FindTopWindow([&wanted](HWND window) {
               wchar_t text[300] = {};
               DWORD_PTR length = 0;
               return IsWindowVisible(window) && kvrtest::ClassOf(window) == "tooltips_class32" &&
                      SendMessageTimeoutW(window, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                                          &length) &&
                      wanted == Utf8FromWide(text).Text();
           }) != nullptr;
}

int CountTempFiles() {
    FileSystem files;
    StringList entries;
    files.ListFolder(files.TempFolder() + "tmp*", entries, FileSystem::kListFiles);
    return entries.Count();
}

// What the engine itself writes for a source, made in-process as the reference.
bool DecryptInProcess(const std::string& source, const std::string& keys, const std::string& output) {
    DecryptRequest request;
    request.keyFolder = keys.c_str();
    request.sourcePath = source.c_str();
    request.outputFolder = output.c_str();
    return DecryptFile(request);
}

// An archive of kLargeEntries stored entries of kLargeEntryBytes zero bytes each, written a
// block at a time (too large to build in memory): long enough to be cancelled while it is
// written, with a progress event after every entry where the cancel takes effect.
bool WriteLargeArchive(const std::string& path, const Bytes& key) {
    kvrtest::ArchiveSpec spec;
    spec.keyName = "project.key";
    spec.entries.resize(kLargeEntries);
    const Bytes header = kvrtest::BuildHeader(spec);
    const Bytes zeros(kLargeEntryBytes, 0);
    FILE* file = key.empty() ? nullptr : fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(header.data(), 1, header.size(), file) == header.size();
    size_t at = 0;  // position in the key-added body
    for (int entry = 0; ok && entry < kLargeEntries; entry++) {
        Bytes block = kvrtest::BytesOf("large" + std::to_string(entry) + ".bin\r\n");
        kvrtest::AppendU32(block, kLargeEntryBytes);
        kvrtest::AppendU32(block, kvrtest::Crc32Of(zeros));
        block.insert(block.end(), zeros.begin(), zeros.end());
        for (uint8_t& byte : block)
            byte = static_cast<uint8_t>(byte + key[at++ % key.size()]);
        ok = fwrite(block.data(), 1, block.size(), file) == block.size();
    }
    return fclose(file) == 0 && ok;
}

void ProgramTest::WatchBrightPixel() {
    Sleep(1000);
    RECT frame{};
    GetWindowRect(program_->MainWindow(), &frame);
    for (int y = frame.top + 4; y < frame.bottom - 4; y += 5) {
        for (int x = frame.left + 4; x < frame.right - 4; x += 5) {
            const COLORREF pixel = ScreenPixel(POINT{x, y});
            if (Brightness(pixel) > Brightness(opaque_)) {
                watched_ = POINT{x, y};
                opaque_ = pixel;
            }
        }
    }
    ASSERT_GE(Brightness(opaque_), 120) << "no bright point";
}

HWND ProgramTest::OpenDialog() {
    program_->Command(CMD_APPEARANCE);
    HWND dialog = program_->WaitForWindow("Appearance", 10000);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
    EXPECT_FALSE(IsWindowEnabled(program_->MainWindow()));
    return dialog;
}

void ProgramTest::StartLargeDecryption(int& tempFilesBefore) {
    ASSERT_TRUE(WriteLargeArchive(In("large.enc"), kvrtest::ReadFileBytes(In("Keys\\project.key"))));
    tempFilesBefore = CountTempFiles();
    ASSERT_EQ(program_->Drop({In("large.enc")}), 0);
    ASSERT_TRUE(WaitUntil([&] { return CountTempFiles() > tempFilesBefore; }, 10000));
}

}  // namespace kvrtest
