// PathName: splits a path into root, folder, file name, title and extension. Three kinds
// are known: local paths (made absolute against the current folder), UNC paths (beginning
// with two backslashes) and URLs (anything with "://"). The separator is "/" for URLs and
// the backslash otherwise; every piece comes back as a new String.
#pragma once

#include "toolkit/base/String.h"

// Both slashes separate path components in local paths.
inline bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}
// Position of the last separator of either kind, -1 when there is none.
int LastPathSeparator(const String& path);

class PathName {
public:
    enum Kind { kNone = 0, kLocal = 1, kUnc = 2, kUrl = 3 };

    PathName() = default;
    explicit PathName(const char* text) { SetPath(text); }

    // Parses text; gives the kind (kNone for empty or invalid text).
    int SetPath(const char* text);
    int Kind() const { return kind_; }
    // Folder pieces carry their trailing separator (true at construction).
    bool TrailingSeparator() const { return trailingSeparator_; }
    void SetTrailingSeparator(bool on) { trailingSeparator_ = on; }
    const String& Text() const { return text_; }

    String GetRoot() const;
    String GetFolder() const;
    String GetLastFolderName() const;
    String GetFileName() const;
    String GetTitle() const;
    String GetExtension(bool withDot = false) const;
    bool IsFolderPath() const;
    bool IsSubFolderPath() const;
    String GetPath() const;
    String GetFolderPath() const;

    // False for no text or a text holding '"', '*', '<', '>', '?' or a byte below 32.
    static bool IsValidPathText(const char* text);
    // "://" at position 1 or later.
    static bool IsUrl(const char* text);
    // Begins with two backslashes.
    static bool IsUnc(const char* text);

private:
    char Separator() const { return kind_ == kUrl ? '/' : '\\'; }
    // Length of the root within full_ (may pass its end by one when the root adds a separator).
    int RootLength() const;
    // Index where the file name starts in full_.
    int FileNameStart() const;

    bool trailingSeparator_ = true;
    String text_;
    String full_;
    int kind_ = kNone;
};
