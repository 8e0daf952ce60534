// SafeName: component-by-component check of a name before it becomes a path.
#include "engine/SafeName.h"

#include "toolkit/base/PathName.h"
#include "toolkit/base/TextCodec.h"

namespace {

// Windows maps these names to devices in every folder, whatever extension follows them.
bool IsDeviceName(const char* component, int length) {
    int baseLength = 0;
    while (baseLength < length && component[baseLength] != '.')
        ++baseLength;
    while (baseLength > 0 && component[baseLength - 1] == ' ')
        --baseLength;
    String base;
    for (int i = 0; i < baseLength; ++i)
        base.Append(component[i]);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (base.CompareNoCase(device) == 0)
            return true;
    }
    const bool numbered = base.Left(3).CompareNoCase("COM") == 0 || base.Left(3).CompareNoCase("LPT") == 0;
    if (!numbered)
        return false;
    if (baseLength == 4)
        return base.GetAt(3) >= '1' && base.GetAt(3) <= '9';
    // U+00B9, U+00B2 and U+00B3 in UTF-8.
    const String number = base.Mid(3);
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

bool IsSafeComponent(const char* component, int length) {
    if (length == 0)
        return false;
    const char last = component[length - 1];
    if (last == '.' || last == ' ')
        return false;
    return !IsDeviceName(component, length);
}

}  // namespace

bool IsSafeRelativeName(const String& name) {
    const char* const text = name.Text();
    const int length = name.Length();
    if (length == 0 || IsPathSeparator(text[0]))
        return false;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 32 || c == ':')
            return false;
        // The control characters U+0080..U+009F (C2 80..C2 9F): what the bytes of code page
        // 1252 that name no character become, so the sign of a name from another code page.
        const unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F)
            return false;
    }
    int start = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && !IsPathSeparator(text[i]))
            continue;
        const bool trailing = i == length && start == length;
        if (!trailing && !IsSafeComponent(text + start, i - start))
            return false;
        start = i + 1;
    }
    return true;
}

bool IsSafeFileName(const String& name) {
    return LastPathSeparator(name) < 0 && IsSafeRelativeName(name);
}

bool NameFromArchive(const String& stored, String& name) {
    name.Empty();
    if (stored.IsEmpty() || Utf8FromAnsi(stored.Text(), stored.Length(), name))
        return true;
    name = stored;
    for (int i = 0; i < name.Length(); ++i) {
        if (static_cast<unsigned char>(name.GetAt(i)) > 127)
            name.SetAt(i, '?');
    }
    return false;
}
