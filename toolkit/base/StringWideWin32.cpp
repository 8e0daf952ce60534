// String's UTF-16 copies, which only the Windows interfaces (GDI+, COM) take.
#include <windows.h>

#include <cstdlib>

#include "toolkit/base/String.h"

wchar_t* String::NewWide() const {
    wchar_t* wide = static_cast<wchar_t*>(malloc((length_ + 1) * sizeof(wchar_t)));
    int written = 0;
    if (length_ > 0)
        written = MultiByteToWideChar(CP_UTF8, 0, text_, length_, wide, length_);
    wide[written > 0 ? written : 0] = 0;
    return wide;
}

const wchar_t* String::ToWide() {
    free(wide_);
    wide_ = NewWide();
    return wide_;
}
