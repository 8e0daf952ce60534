// kvr-dialog: the dialog previewer for whoever writes dialog definitions.
//   kvr-dialog --check FILE          writes the definition back in canonical form to
//                                    standard output, or names the line at fault
//   kvr-dialog --shot FILE OUT.png   builds the dialog hidden and saves a picture of it
// Exit codes: 0 done, 1 the definition or picture failed, 2 usage.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"
#include "tools/dialog/DialogPreview.h"

namespace {

constexpr int kUsageError = 2;

int Usage() {
    fputs("usage: kvr-dialog --check FILE | --shot FILE OUT.png\n", stderr);
    return kUsageError;
}

bool LoadFile(const char* path, MemoryStream& out) {
    String error;
    if (LoadDefinitionFile(path, out, error))
        return true;
    fprintf(stderr, "kvr-dialog: %s\n", error.Text());
    return false;
}

int Check(const char* path) {
    MemoryStream text;
    MemoryStream canonical;
    String error;
    if (!LoadFile(path, text))
        return 1;
    if (!CheckDefinition(text, canonical, error)) {
        fprintf(stderr, "%s: %s\n", path, error.Text());
        return 1;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    const size_t size = static_cast<size_t>(canonical.GetSize());
    return fwrite(canonical.Data(), 1, size, stdout) == size && fflush(stdout) == 0 ? 0 : 1;
}

int Shot(const char* path, const char* picturePath) {
    MemoryStream text;
    if (!LoadFile(path, text))
        return 1;
    DialogWindow dialog;
    if (!dialog.BuildFromDefinition(&text, nullptr, nullptr)) {
        fprintf(stderr, "%s: the dialog cannot be built\n", path);
        return 1;
    }
    Image picture;
    FileStream out;
    if (!RenderClientArea(dialog, picture) || !out.Open(picturePath, true, true, false) ||
        !picture.SaveToStream(&out, Image::kFormatPng)) {
        fprintf(stderr, "kvr-dialog: cannot save %s\n", picturePath);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "--check") == 0)
        return Check(argv[2]);
    if (argc != 4 || strcmp(argv[1], "--shot") != 0)
        return Usage();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ToolkitInit(instance);
    GraphicsStartup();
    const int status = Shot(argv[2], argv[3]);
    GraphicsShutdown();
    ToolkitShutdown(instance);
    return status;
}
