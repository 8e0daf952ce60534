// SystemColorPicker: the small modal toolkit window behind CommonDialog::ChooseSystemColor. A
// drop-down list names the system colours; a preview beside it takes the selected colour.
// OK (or Enter) ends the run with CommonDialog::kSystemColorResult plus the colour's index,
// Cancel (or Escape, or closing) with 0.
#pragma once

#include "toolkit/window/Window.h"

class SystemColorPicker : public Window {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 95;

    SystemColorPicker();
    ~SystemColorPicker() override;

    // Creates the window owned by `owner`, centred in the work area, and runs it modally.
    int Run(HWND owner, const char* title);
    // The system colour index selected in the list, -1 for none.
    int SelectedIndex() const;
    HWND ListHandle() const { return list_.Handle(); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowSelection();

    Window list_;
    Window preview_;
    Window okButton_;
    Window cancelButton_;
};
