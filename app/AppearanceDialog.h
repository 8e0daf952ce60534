// AppearanceDialog: the one dialog of the program, built at run time from the "SETTINGS"
// definition stored in the program's resources. It sets the main window's opacity (shown on
// the main window while its slider moves) and the colour and opacity of the child windows,
// and stores the three values when the user confirms. The caller re-applies the stored main
// opacity once the dialog is over, which also undoes the preview after a cancel.
#pragma once

#include <cstdint>

#include "toolkit/dialogdef/DialogWindow.h"

class MainWindow;
class SliderControl;
class TextControl;

class AppearanceDialog : public DialogWindow {
public:
    explicit AppearanceDialog(MainWindow& mainWindow);
    ~AppearanceDialog() override;

    // Builds the dialog owned by the main window and centres it in the work area. False when
    // the definition is missing or unreadable or lacks a control the dialog works with; the
    // window is then gone again.
    bool Build();

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool FindControls();
    void Initialise();
    void ChooseChildColor();
    void ShowChildColor(uint32_t color);
    void Save();

    MainWindow& mainWindow_;
    Window* colorButton_ = nullptr;
    Window* defaultButton_ = nullptr;
    TextControl* colorSwatch_ = nullptr;
    SliderControl* mainOpacity_ = nullptr;
    SliderControl* childOpacity_ = nullptr;
};
