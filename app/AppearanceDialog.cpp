// AppearanceDialog; see AppearanceDialog.h.
#include "app/AppearanceDialog.h"

#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/controls/TextControl.h"
#include "toolkit/controls/ValueControls.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Messages.h"

namespace {

struct ControlText {
    const char* name;
    const char* text;
};

// The definition's captions are those of its editor; the program sets its own.
constexpr ControlText kTexts[] = {
    {"GRP_MAIN", "Main Window Opacity"},
    {"GRP_COLOR", "Child Window Color"},
    {"GRP_OPACITY", "Child Window Opacity"},
    {"BTN_DEFAULT", "Default"},
    {"CANCEL", "Cancel"},
};

}  // namespace

AppearanceDialog::AppearanceDialog(MainWindow& mainWindow) : mainWindow_(mainWindow) {}

AppearanceDialog::~AppearanceDialog() {
    Destroy();
}

bool AppearanceDialog::Build() {
    MemoryStream definition;
    if (!definition.LoadResource(resource::kBinaryType, resource::kAppearanceDialog))
        return false;
    if (!BuildFromDefinition(&definition, mainWindow_.Handle(), nullptr))
        return false;
    if (!FindControls()) {
        Destroy();
        return false;
    }
    (void)Center(false);
    return true;
}

bool AppearanceDialog::FindControls() {
    colorButton_ = FindControlByName("BTN_COLOR");
    defaultButton_ = FindControlByName("BTN_DEFAULT");
    colorSwatch_ = dynamic_cast<TextControl*>(FindControlByName("TXT_COLOR"));
    mainOpacity_ = dynamic_cast<SliderControl*>(FindControlByName("SLIDER_OPACITY"));
    childOpacity_ = dynamic_cast<SliderControl*>(FindControlByName("SLIDER_OPACITY2"));
    return colorButton_ && defaultButton_ && colorSwatch_ && mainOpacity_ && childOpacity_;
}

LRESULT AppearanceDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_MODALINIT:
            Initialise();
            break;
        case WM_SWND_OK:
            Save();
            break;
        case WM_SWND_BUTTONCLICKED: {
            const Window* button = reinterpret_cast<const Window*>(wParam);
            if (button && button == colorButton_)
                ChooseChildColor();
            else if (button && button == defaultButton_)
                ShowChildColor(kDefaultChildColor);
            break;
        }
        case WM_SWND_TRACKBARSCROLL:
            if (mainOpacity_ && reinterpret_cast<const Window*>(wParam) == mainOpacity_)
                mainWindow_.SetOpacity(static_cast<uint32_t>(mainOpacity_->GetPosition()));
            break;
        case WM_DESTROY:
            // The host deletes the controls now; nothing may reach them afterwards.
            colorButton_ = defaultButton_ = nullptr;
            colorSwatch_ = nullptr;
            mainOpacity_ = childOpacity_ = nullptr;
            break;
        default:
            break;
    }
    return DialogWindow::OnMessage(message, wParam, lParam);
}

void AppearanceDialog::Initialise() {
    SetWindowTextA(Handle(), "Appearance");
    for (const ControlText& entry : kTexts) {
        if (Window* control = FindControlByName(entry.name))
            SetWindowTextA(control->Handle(), entry.text);
    }
    if (!mainOpacity_ || !childOpacity_ || !colorSwatch_)
        return;
    mainOpacity_->SetPosition(static_cast<int>(ReadWindowOpacity()));
    ShowChildColor(ReadChildColor());
    childOpacity_->SetPosition(static_cast<int>(ReadChildOpacity()));
}

void AppearanceDialog::ChooseChildColor() {
    if (!colorSwatch_)
        return;
    CommonDialog chooser;
    chooser.owner = Handle();
    if (chooser.ChooseColor(colorSwatch_->background, true, true, true))
        ShowChildColor(chooser.color);
}

void AppearanceDialog::ShowChildColor(uint32_t color) {
    if (!colorSwatch_)
        return;
    // The swatch is its back colour; a picture behind it (none in the program's definition)
    // carries the colour too, or it would show through at the next paint.
    colorSwatch_->background = color & 0xFFFFFF;
    if (!colorSwatch_->Skin().IsEmpty()) {
        Image skin;
        if (skin.CopyFrom(colorSwatch_->Skin())) {
            skin.SetBackground(colorSwatch_->background);
            colorSwatch_->SetSkinImage(skin, false);
        }
    }
    colorSwatch_->Redraw();
}

void AppearanceDialog::Save() {
    if (!mainOpacity_ || !childOpacity_ || !colorSwatch_)
        return;
    WriteWindowOpacity(static_cast<uint32_t>(mainOpacity_->GetPosition()));
    WriteChildColor(colorSwatch_->background);
    WriteChildOpacity(static_cast<uint32_t>(childOpacity_->GetPosition()));
}
