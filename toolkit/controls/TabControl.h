// TabControl: the Win32 "SysTabControl32" with pages that other controls of the same dialog
// can be attached to; only the controls of the shown page are visible. The attached
// controls belong to the dialog, not to the tab. A page change by the user shows its page
// before the parent hears WM_SWND_TABSELCHANGE (the window framework calls
// ShowSelectedPage); mouse input goes out as WM_SWND_TABMOUSE.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/window/ControlHooks.h"

struct TabAttachment {
    int page;
    Window* control;
};

class TabControl : public TabControlHooks {
public:
    TabControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowSelectedPage() override { ShowPage(GetSelectedPage()); }

    // A negative position appends; image < 0 gives the page no image. The new index or -1.
    int InsertPage(const char* caption, int position = -1, int image = -1);
    int PageCount() const;
    void SelectPage(int page);
    int GetSelectedPage() const;
    // False for a missing control, a page out of range, or a control already on that page.
    bool AttachToPage(int page, Window* control);
    // Attaches many at once (the pairs a dialog definition lists), skipping the ones the
    // check above refuses: sorted, so that a crafted list costs n log n rather than n squared.
    void AttachAll(Array<TabAttachment>& pairs);
    // Shows the controls of the page and hides the other attached ones.
    void ShowPage(int page);

private:
    Array<Window*> attached_;
    Array<int> pages_;
};
