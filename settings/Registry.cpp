// Registry operations; see Registry.h.
#include "settings/Registry.h"

#include "toolkit/base/TextCodec.h"

namespace {

bool IsEmptyText(const char* text) {
    return !text || !*text;
}

// An open registry key, closed when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_)
            (void)RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Create(HKEY root, const char* path) {
        return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key_, nullptr) ==
               ERROR_SUCCESS;
    }
    bool Open(HKEY root, const char* path, REGSAM access) {
        return RegOpenKeyExA(root, path, 0, access, &key_) == ERROR_SUCCESS;
    }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool WriteValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    if (IsEmptyText(path))
        return false;
    RegistryKey key;
    if (!key.Create(root, path))
        return false;
    const WideText wideName(name ? name : "");
    return RegSetValueExW(key.Handle(), name ? wideName.Text() : nullptr, 0, type, static_cast<const BYTE*>(data),
                          size) == ERROR_SUCCESS;
}

}  // namespace

bool WriteString(HKEY root, const char* path, const char* name, const char* text) {
    // Stored in UTF-16, so that a path of any characters keeps them all.
    const WideText data(text ? text : "");
    return WriteValue(root, path, name, REG_SZ, data.Text(), static_cast<DWORD>((data.Length() + 1) * sizeof(wchar_t)));
}

bool WriteNumber(HKEY root, const char* path, const char* name, uint32_t value) {
    const DWORD data = value;
    return WriteValue(root, path, name, REG_DWORD, &data, sizeof(data));
}

String ReadString(HKEY root, const char* path, const char* name) {
    RegistryKey key;
    if (IsEmptyText(path) || !key.Open(root, path, KEY_READ))
        return String();
    // Read in UTF-16: the system keeps every text so, whichever form of the call wrote it, and
    // gives a text written through the ANSI call back in its characters. Room for the longest
    // text, its zero and one character more, so a longer value fails with ERROR_MORE_DATA
    // instead of arriving cut; the zero is forced because the system stores whatever bytes the
    // writer gave, terminated or not.
    wchar_t buffer[kMaxRegistryText + 2];
    DWORD type = 0;
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    const WideText wideName(name ? name : "");
    if (RegQueryValueExW(key.Handle(), name ? wideName.Text() : nullptr, nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return String();
    if (type != REG_SZ || size > sizeof(buffer) - sizeof(wchar_t))
        return String();
    buffer[size / sizeof(wchar_t)] = L'\0';
    String text = Utf8FromWide(buffer);
    if (text.Length() > kMaxRegistryText)
        return String();
    return text;
}

uint32_t ReadNumber(HKEY root, const char* path, const char* name) {
    RegistryKey key;
    if (IsEmptyText(path) || !key.Open(root, path, KEY_READ))
        return 0;
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key.Handle(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return 0;
    return type == REG_DWORD && size == sizeof(value) ? value : 0;
}

bool DeleteValue(HKEY root, const char* path, const char* name) {
    if (IsEmptyText(path) || IsEmptyText(name))
        return false;
    RegistryKey key;
    if (!key.Open(root, path, KEY_WRITE))
        return false;
    return RegDeleteValueA(key.Handle(), name) == ERROR_SUCCESS;
}
