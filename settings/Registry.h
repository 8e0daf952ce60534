// The five registry operations every setting goes through. Each one opens (or creates) the
// key, does its one job and closes the key again, so no handle outlives a call and either
// thread may use them. Failures are reported only by the result; callers fall back to their
// defaults and never tell the user.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/String.h"

// The longest text ReadString hands back: a full path of the system's 1024-byte limit.
constexpr int kMaxRegistryText = 1024;

// Texts are UTF-8 here and UTF-16 in the registry.
// Creates or opens the key and writes a REG_SZ value with its terminating zero; false for a
// null or empty path or when the system refuses.
bool WriteString(HKEY root, const char* path, const char* name, const char* text);
// As WriteString, writing a 4-byte REG_DWORD.
bool WriteNumber(HKEY root, const char* path, const char* name, uint32_t value);
// The REG_SZ value's text; empty when the key or value is missing, has another type, or is
// longer than kMaxRegistryText bytes in UTF-8. The text ends at its first zero character.
String ReadString(HKEY root, const char* path, const char* name);
// The value of a 4-byte REG_DWORD; 0 when it is missing or of any other type or size.
uint32_t ReadNumber(HKEY root, const char* path, const char* name);
// Deletes the value; false for a null or empty path or name, or when it cannot be deleted
// (missing key or value included).
bool DeleteValue(HKEY root, const char* path, const char* name);
