// Editor stand-ins; see EditorWindows.h.
#include "toolkit/controls/EditorWindows.h"

bool ContentEditorWindow::LoadContent(Stream& source) {
    content_.Close();
    source.Seek(0);
    const int size = source.GetSize();
    return content_.CopyFrom(&source) == size;
}
