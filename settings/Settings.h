// The program's persistent settings: one key per user holding the window's appearance and
// behaviour and the user key folder. Numbers with a default are stored as value + 1, so a
// stored 0, an absent value and an unreadable one all mean "the default"; every reader here
// applies that rule and keeps out-of-range data out of the program, every writer ignores
// failures (settings are a convenience, never a reason to stop or to ask).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/String.h"

// The program's name as the user sees it: the tray tip, the help window's title, the start-up
// entry's value name.
constexpr char kProgramTitle[] = "KVR Decryptor";

extern const char* const kSettingsKey;  // under HKEY_CURRENT_USER

extern const char* const kWindowPositionValue;  // "WndPos"
extern const char* const kAlwaysOnTopValue;     // "AlwaysOnTop"
extern const char* const kNoSoundsValue;        // "NoSounds"
extern const char* const kWindowOpacityValue;   // "WndOpacity"
extern const char* const kChildColorValue;      // "WndChildColor"
extern const char* const kChildOpacityValue;    // "WndChildOpacity"
extern const char* const kUserKeyFolderValue;   // "Keys"
extern const char* const kNotifyDoneValue;      // "NotifyDone"

constexpr uint32_t kDefaultWindowOpacity = 255;
constexpr uint32_t kDefaultChildColor = 0xFFFFE1;  // red in the low byte
constexpr uint32_t kDefaultChildOpacity = 232;

// Main window opacity, 0..255 (255 when unset).
uint32_t ReadWindowOpacity();
void WriteWindowOpacity(uint32_t opacity);
// Child-window colour, 24 bits with red in the low byte (kDefaultChildColor when unset or
// when the stored number is not a 24-bit colour).
uint32_t ReadChildColor();
void WriteChildColor(uint32_t color);
// Child-window opacity, 0..255 (kDefaultChildOpacity when unset).
uint32_t ReadChildOpacity();
void WriteChildOpacity(uint32_t opacity);

bool ReadAlwaysOnTop();
void WriteAlwaysOnTop(bool on);
// Sounds are stored as their opposite, so that an empty registry means sounds on.
bool ReadSoundsOn();
void WriteSoundsOn(bool on);

// The balloon after a successful decryption: on unless switched off; stored as 0 or 1 plus one.
bool ReadNotifyDone();
void WriteNotifyDone(bool on);

// The stored user key folder; empty for the main key folder.
String ReadUserKeyFolder();
void WriteUserKeyFolder(const String& folder);

// Window position: left and top cut to 16 bits each, left in the low half.
uint32_t PackWindowPosition(int left, int top);
void WriteWindowPosition(int left, int top);
// The saved position (screen pixels) brought onto the screen: a left or top that would leave
// less than 50 units inside the work area moves to the middle of the primary screen plus
// (65, 85) units; units are pixels at 96 DPI and scale with the window's DPI.
POINT FitWindowPosition(uint32_t stored,
                        int workAreaWidth,
                        int workAreaHeight,
                        int screenWidth,
                        int screenHeight,
                        int dpi = 96);
// The saved position fitted to this machine's work area and primary screen, for a window at dpi.
POINT ReadWindowPosition(int dpi = 96);
