// Typed access to the program's settings; see Settings.h.
#include "settings/Settings.h"

#include "settings/Registry.h"

const char* const kSettingsKey = "Software\\Quillmont\\Decryptor\\1.0\\Default";

const char* const kWindowPositionValue = "WndPos";
const char* const kAlwaysOnTopValue = "AlwaysOnTop";
const char* const kNoSoundsValue = "NoSounds";
const char* const kWindowOpacityValue = "WndOpacity";
const char* const kChildColorValue = "WndChildColor";
const char* const kChildOpacityValue = "WndChildOpacity";
const char* const kUserKeyFolderValue = "Keys";
const char* const kNotifyDoneValue = "NotifyDone";

namespace {

// A number stored as value + 1: 0 (absent, unreadable) gives the default, and anything above
// the largest allowed value falls back to the default too rather than reaching the program.
uint32_t ReadOffsetNumber(const char* name, uint32_t largest, uint32_t fallback) {
    const uint32_t stored = ReadNumber(HKEY_CURRENT_USER, kSettingsKey, name);
    if (stored == 0)
        return fallback;
    return stored - 1 <= largest ? stored - 1 : fallback;
}

void WriteOffsetNumber(const char* name, uint32_t value, uint32_t largest) {
    (void)WriteNumber(HKEY_CURRENT_USER, kSettingsKey, name, (value <= largest ? value : largest) + 1);
}

// An opacity beyond 255 is clamped rather than reset: it was meant as "more opaque".
uint32_t ReadOpacity(const char* name, uint32_t fallback) {
    const uint32_t stored = ReadNumber(HKEY_CURRENT_USER, kSettingsKey, name);
    if (stored == 0)
        return fallback;
    return stored - 1 <= 255 ? stored - 1 : 255;
}

}  // namespace

uint32_t ReadWindowOpacity() {
    return ReadOpacity(kWindowOpacityValue, kDefaultWindowOpacity);
}

void WriteWindowOpacity(uint32_t opacity) {
    WriteOffsetNumber(kWindowOpacityValue, opacity, 255);
}

uint32_t ReadChildColor() {
    return ReadOffsetNumber(kChildColorValue, 0xFFFFFF, kDefaultChildColor);
}

void WriteChildColor(uint32_t color) {
    WriteOffsetNumber(kChildColorValue, color & 0xFFFFFF, 0xFFFFFF);
}

uint32_t ReadChildOpacity() {
    return ReadOpacity(kChildOpacityValue, kDefaultChildOpacity);
}

void WriteChildOpacity(uint32_t opacity) {
    WriteOffsetNumber(kChildOpacityValue, opacity, 255);
}

bool ReadAlwaysOnTop() {
    return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kAlwaysOnTopValue) == 1;
}

void WriteAlwaysOnTop(bool on) {
    (void)WriteNumber(HKEY_CURRENT_USER, kSettingsKey, kAlwaysOnTopValue, on ? 1 : 0);
}

bool ReadSoundsOn() {
    return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kNoSoundsValue) != 1;
}

void WriteSoundsOn(bool on) {
    (void)WriteNumber(HKEY_CURRENT_USER, kSettingsKey, kNoSoundsValue, on ? 0 : 1);
}

bool ReadNotifyDone() {
    return ReadOffsetNumber(kNotifyDoneValue, 1, 1) == 1;
}

void WriteNotifyDone(bool on) {
    WriteOffsetNumber(kNotifyDoneValue, on ? 1 : 0, 1);
}

String ReadUserKeyFolder() {
    return ReadString(HKEY_CURRENT_USER, kSettingsKey, kUserKeyFolderValue);
}

void WriteUserKeyFolder(const String& folder) {
    (void)WriteString(HKEY_CURRENT_USER, kSettingsKey, kUserKeyFolderValue, folder);
}

uint32_t PackWindowPosition(int left, int top) {
    return (static_cast<uint32_t>(left) & 0xFFFF) | ((static_cast<uint32_t>(top) & 0xFFFF) << 16);
}

void WriteWindowPosition(int left, int top) {
    (void)WriteNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue, PackWindowPosition(left, top));
}

POINT FitWindowPosition(uint32_t stored,
                        int workAreaWidth,
                        int workAreaHeight,
                        int screenWidth,
                        int screenHeight,
                        int dpi) {
    // Both halves are unsigned: a window saved left of the primary monitor (negative left)
    // comes back as a large number and so lands in the middle of the screen.
    POINT position{static_cast<LONG>(stored & 0xFFFF), static_cast<LONG>(stored >> 16)};
    const int inside = MulDiv(50, dpi, 96);
    if (position.x + inside > workAreaWidth)
        position.x = screenWidth / 2 + MulDiv(65, dpi, 96);
    if (position.y + inside > workAreaHeight)
        position.y = screenHeight / 2 + MulDiv(85, dpi, 96);
    return position;
}

POINT ReadWindowPosition(int dpi) {
    RECT workArea{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0))
        workArea = RECT{};
    return FitWindowPosition(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue),
                             workArea.right - workArea.left, workArea.bottom - workArea.top,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dpi);
}
