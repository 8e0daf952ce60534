// CommonDialog: folder browser, colour, font and open-file dialogs; see CommonDialog.h. The
// system colour picker window is in SystemColorPicker.cpp.
#include "toolkit/window/CommonDialog.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "toolkit/base/PathName.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/window/SystemColorPicker.h"

namespace {

constexpr UINT kBrowseFlags = BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
constexpr DWORD kFileBufferSize = 32768;
constexpr DWORD kOpenFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    const String& folder = *reinterpret_cast<const String*>(data);
    if (message != BFFM_INITIALIZED || folder.IsEmpty())
        return 0;
    const WideText wide(folder.Text(), folder.Length());
    SendMessageW(dialog, BFFM_SETEXPANDED, TRUE, reinterpret_cast<LPARAM>(wide.Text()));
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wide.Text()));
    return 0;
}

// "Name|pattern" entries joined into the system's zero-separated, double-zero-ended form.
Array<wchar_t> JoinFilters(const StringList& filters) {
    Array<wchar_t> joined;
    for (int i = 0; i < filters.Count(); i++) {
        const WideText filter(filters[i]->Text(), filters[i]->Length());
        for (const wchar_t* c = filter.Text(); *c; c++)
            joined.Append(*c == L'|' ? L'\0' : *c);
        joined.Append(L'\0');
    }
    joined.Append(L'\0');
    joined.Append(L'\0');
    return joined;
}

// The dialog's zero-separated answer with each entry in UTF-8, separators and end kept.
Array<char> Utf8Entries(const wchar_t* buffer, int size) {
    Array<char> entries;
    for (int at = 0; at < size && buffer[at];) {
        const int length = static_cast<int>(wcsnlen(buffer + at, static_cast<size_t>(size - at)));
        if (at + length >= size)
            break;
        const String entry = Utf8FromWide(buffer + at, length);
        for (int i = 0; i < entry.Length(); i++)
            entries.Append(entry.GetAt(i));
        entries.Append('\0');
        at += length + 1;
    }
    entries.Append('\0');
    return entries;
}

// A wide copy that keeps a missing text missing.
const wchar_t* WideOrNull(const WideText& wide, const char* text) {
    return text ? wide.Text() : nullptr;
}

String WithTrailingBackslash(const char* folder) {
    String text(folder);
    if (text.IsEmpty() || text.GetAt(text.Length() - 1) != '\\')
        text.Append('\\');
    return text;
}

}  // namespace

String CommonDialog::BrowseFolder(const char* title, const char* initialPath, bool includeFiles) {
    String result;
    String startFolder;
    if (initialPath && *initialPath)
        startFolder = PathName(initialPath).GetFolderPath();
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return result;
    wchar_t displayName[MAX_PATH] = {};
    const WideText wideTitle(title ? title : "");
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = wideTitle.Text();
    info.ulFlags = kBrowseFlags | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&startFolder);
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (chosen) {
        wchar_t folder[MAX_PATH * 4] = {};
        // A virtual folder (the desktop's "computer", a printer) has no path: no result, rather
        // than a lone backslash.
        if (SHGetPathFromIDListW(chosen, folder) && folder[0]) {
            const String text = Utf8FromWide(folder);
            result = addTrailingSeparator ? WithTrailingBackslash(text) : text;
        }
        allocator->Free(chosen);
    }
    allocator->Release();
    path = result;
    return result;
}

bool CommonDialog::ChooseColor(uint32_t initial, bool fullOpen, bool preventFullOpen, bool anyColor) {
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.rgbResult = initial & 0x00FFFFFF;
    choice.lpCustColors = customColors_;
    // Opened in full, the custom part cannot be closed again, so "prevent" adds nothing then;
    // passing both makes Wine's chooser open short with its "Define" button dead, leaving
    // the custom part out of reach.
    const DWORD openFlags = fullOpen ? CC_FULLOPEN : (preventFullOpen ? CC_PREVENTFULLOPEN : 0);
    choice.Flags = (initial <= 0x00FFFFFF ? CC_RGBINIT : 0) | (anyColor ? CC_ANYCOLOR : CC_SOLIDCOLOR) | openFlags;
    if (!::ChooseColorA(&choice))
        return false;
    color = choice.rgbResult;
    return true;
}

bool CommonDialog::ChooseFont(const LOGFONTA& font, int* size) {
    LOGFONTA chosen = font;
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.lpLogFont = &chosen;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontA(&choice))
        return false;
    fontName = chosen.lfFaceName;
    fontSize = choice.iPointSize / 10;
    fontStyle = FontStyleOf(chosen);
    if (size)
        *size = fontSize;
    return true;
}

bool CommonDialog::ChooseSystemColor(const char* title) {
    SystemColorPicker picker;
    const int result = picker.Run(owner, title);
    if (result < kSystemColorResult)
        return false;
    color = static_cast<uint32_t>(result - kSystemColorResult);
    return true;
}

bool CommonDialog::OpenFiles(const StringList& filters,
                             const char* defaultExtension,
                             DWORD flags,
                             const char* title,
                             const char* initialFolder) {
    Array<wchar_t> filterText = JoinFilters(filters);
    Array<wchar_t> buffer;
    buffer.SetSize(static_cast<int>(kFileBufferSize), false);
    buffer[0] = L'\0';
    const WideText wideTitle(title ? title : "");
    const WideText wideFolder(initialFolder ? initialFolder : "");
    const WideText wideExtension(defaultExtension ? defaultExtension : "");
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = owner;
    open.lpstrFilter = filters.Count() > 0 ? &filterText[0] : nullptr;
    open.nFilterIndex = 1;
    open.lpstrFile = &buffer[0];
    open.nMaxFile = kFileBufferSize;
    open.lpstrTitle = WideOrNull(wideTitle, title);
    open.lpstrInitialDir = WideOrNull(wideFolder, initialFolder);
    open.lpstrDefExt = WideOrNull(wideExtension, defaultExtension);
    open.Flags = flags | kOpenFlags;
    if (!GetOpenFileNameW(&open))
        return false;
    const Array<char> chosen = Utf8Entries(&buffer[0], static_cast<int>(kFileBufferSize));
    return ReadChosenFiles(&chosen[0], chosen.Count(), files);
}

bool CommonDialog::ReadChosenFiles(const char* buffer, int size, StringList& files) {
    StringList entries;
    // The bound before each byte; a name the end of the buffer cuts off is no name.
    for (int at = 0; at < size && buffer[at];) {
        const char* end = static_cast<const char*>(memchr(buffer + at, '\0', static_cast<size_t>(size - at)));
        if (!end)
            break;
        entries.AddString(buffer + at);
        at = static_cast<int>(end - buffer) + 1;
    }
    if (entries.Count() == 0)
        return false;
    files.Free();
    if (entries.Count() == 1) {
        files.AddString(PathName(entries[0]->Text()).GetPath());
        return true;
    }
    const String folder = WithTrailingBackslash(entries[0]->Text());
    for (int i = 1; i < entries.Count(); i++) {
        String full(folder);
        full.Append(entries[i]->Text());
        files.AddString(PathName(full.Text()).GetPath());
    }
    return true;
}
