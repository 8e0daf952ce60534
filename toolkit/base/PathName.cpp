// PathName implementation. full_ is the normalised path: URLs with "/" only, UNC and local
// paths with backslashes only, local paths made absolute by the system (FullPath.h).
#include "toolkit/base/PathName.h"

#include <cstring>

#include "toolkit/base/FullPath.h"

int LastPathSeparator(const String& path) {
    const int back = path.ReverseFind('\\');
    const int slash = path.ReverseFind('/');
    return back > slash ? back : slash;
}

bool PathName::IsValidPathText(const char* text) {
    if (!text)
        return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; p++) {
        if (*p < 32 || *p == '"' || *p == '*' || *p == '<' || *p == '>' || *p == '?')
            return false;
    }
    return true;
}

bool PathName::IsUrl(const char* text) {
    if (!text)
        return false;
    const char* at = strstr(text, "://");
    return at && at > text;
}

bool PathName::IsUnc(const char* text) {
    return text && text[0] == '\\' && text[1] == '\\';
}

int PathName::SetPath(const char* text) {
    kind_ = kNone;
    full_.Empty();
    if (!IsValidPathText(text))
        return kind_;
    text_ = text;
    if (text_.IsEmpty())
        return kind_;
    if (IsUrl(text)) {
        full_ = text_;
        full_.Replace('\\', '/');
        const int colon = full_.Find(':');
        if (full_.Mid(colon + 1, 2) == "//")
            kind_ = kUrl;
        return kind_;
    }
    if (IsUnc(text)) {
        full_ = text_;
        full_.Replace('/', '\\');
        kind_ = kUnc;
        return kind_;
    }
    if (!MakeFullPath(text, full_))
        return kind_;
    full_.Replace('/', '\\');
    if ((text_ == "." || text_ == "..") && full_.GetAt(full_.Length() - 1) != '\\')
        full_.Append('\\');
    // A relative path against a network current folder comes back as a UNC path.
    kind_ = IsUnc(full_.Text()) ? kUnc : kLocal;
    return kind_;
}

int PathName::RootLength() const {
    switch (kind_) {
        case kLocal:
            return LocalRootLength(full_);
        case kUnc: {
            const int after = full_.Find('\\', 2);
            return after < 0 ? full_.Length() + 1 : after + 1;
        }
        case kUrl: {
            const int scheme = full_.Find("://");
            const int after = full_.Find('/', scheme + 3);
            return after < 0 ? full_.Length() + 1 : after + 1;
        }
        default:
            return 0;
    }
}

int PathName::FileNameStart() const {
    const int start = full_.ReverseFind(Separator()) + 1;
    const int root = RootLength();
    return start < root ? root : start;
}

String PathName::GetRoot() const {
    if (kind_ == kNone)
        return String("");
    const int length = RootLength();
    if (length > full_.Length())
        return full_ + String(Separator() == '/' ? "/" : "\\").Text();
    return full_.Left(length);
}

String PathName::GetFolder() const {
    if (kind_ == kNone)
        return String("");
    const int root = RootLength();
    const int last = full_.ReverseFind(Separator());
    if (last < root)
        return String("");
    return full_.Mid(root, last - root + (trailingSeparator_ ? 1 : 0));
}

String PathName::GetLastFolderName() const {
    String folder = GetFolder();
    if (folder.IsEmpty())
        return folder;
    if (folder.GetAt(folder.Length() - 1) == Separator())
        folder.SetLength(folder.Length() - 1, true);
    String last = folder.Mid(folder.ReverseFind(Separator()) + 1);
    if (trailingSeparator_)
        last.Append(Separator());
    return last;
}

String PathName::GetFileName() const {
    if (kind_ == kNone)
        return String("");
    return full_.Mid(FileNameStart());
}

String PathName::GetTitle() const {
    const String name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

String PathName::GetExtension(bool withDot) const {
    const String name = GetFileName();
    const int dot = name.ReverseFind('.');
    if (dot < 0)
        return String("");
    return name.Mid(withDot ? dot : dot + 1);
}

bool PathName::IsFolderPath() const {
    return kind_ != kNone && GetFileName().IsEmpty();
}

bool PathName::IsSubFolderPath() const {
    return kind_ != kNone && !GetFolder().IsEmpty() && GetFileName().IsEmpty();
}

String PathName::GetPath() const {
    if (!trailingSeparator_ && kind_ != kNone && !GetFileName().IsEmpty())
        return GetFolderPath();
    return full_;
}

String PathName::GetFolderPath() const {
    if (kind_ == kNone)
        return String("");
    return GetRoot() + GetFolder().Text();
}
