// The help window; see HelpWindow.h.
#include "app/HelpWindow.h"

#include "app/ScaledPictures.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 500;

}  // namespace

HelpWindow::HelpWindow() : ChildWindow(kWidth, kHeight, resource::kHelpBackground) {
    AddButton(resource::kCheckButton, resource::kCheckButtonHover, 600, 330, kClose);
}

bool HelpWindow::Open() {
    if (IsOpen())
        return true;
    WindowArgs args;
    args.title = kProgramTitle;
    return Create(args);
}

void HelpWindow::DrawContent(Image& background) {
    // The help picture keeps its own colours: only the background takes the user's colour.
    Image help;
    if (!LoadPictureAtDpi(help, resource::kHelpPicture, Dpi(), GetInstance()))
        return;
    Gdiplus::Graphics graphics(background.Bitmap());
    graphics.DrawImage(help.Bitmap(), Gdiplus::Rect(0, 0, help.Width(), help.Height()), 0, 0, help.Width(),
                       help.Height(), Gdiplus::UnitPixel);
}
