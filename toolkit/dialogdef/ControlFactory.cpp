// The control factory; see ControlFactory.h. Settings per type are in ControlSettings.cpp.
#include "toolkit/dialogdef/ControlFactory.h"

#include <windows.h>

#include <commctrl.h>

#include "toolkit/controls/ButtonControl.h"
#include "toolkit/controls/CheckControl.h"
#include "toolkit/controls/EditControl.h"
#include "toolkit/controls/EditorWindows.h"
#include "toolkit/controls/GroupControl.h"
#include "toolkit/controls/ListControl.h"
#include "toolkit/controls/RadioControl.h"
#include "toolkit/controls/SystemControls.h"
#include "toolkit/controls/TabControl.h"
#include "toolkit/controls/TextControl.h"
#include "toolkit/controls/ValueControls.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/window/Toolkit.h"

void ApplyControlSettings(Window& control, const ControlDefinition& record, ResourceProvider* provider, bool live);

namespace {

enum CaptionRule { kCaption, kEmptyCaption, kNoCaption };

struct Blueprint {
    const char* className;  // null: a toolkit window
    CaptionRule caption;
    DWORD styleAdded;
    DWORD styleRemoved;
};

Blueprint BlueprintOf(int type) {
    switch (type) {
        case CT_BUTTON:
            return {"BUTTON", kCaption, 0, 0};
        case CT_CHECK:
            return {"BUTTON", kCaption, BS_CHECKBOX, 0};
        case CT_COMBO:
            return {"COMBOBOX", kCaption, 0, 0};
        case CT_EDIT:
            return {"EDIT", kCaption, 0, 0};
        case CT_EDIT_IP:
            return {WC_IPADDRESSA, kCaption, 0, 0};
        case CT_EX_LIST:
            return {WC_LISTVIEWA, kNoCaption, 0, 0};
        case CT_GROUP:
            return {"BUTTON", kCaption, BS_GROUPBOX, 0};
        case CT_LIST:
            return {"LISTBOX", kEmptyCaption, ListControl::kStyleAdded, ListControl::kStyleRemoved};
        case CT_PROGRESS:
            return {PROGRESS_CLASSA, kNoCaption, 0, 0};
        case CT_RADIO:
            return {"BUTTON", kCaption, BS_RADIOBUTTON, 0};
        case CT_RICH_EDIT:
            return {RichEditControl::ClassName(), kNoCaption, 0, 0};
        case CT_SCROLL:
            return {"SCROLLBAR", kNoCaption, 0, 0};
        case CT_SLIDER:
            return {TRACKBAR_CLASSA, kNoCaption, TBS_DOWNISLEFT, 0};
        case CT_TAB:
            return {WC_TABCONTROLA, kEmptyCaption, 0, 0};
        case CT_TEXT:
            return {nullptr, kCaption, 0, 0};
        case CT_TREE:
            return {WC_TREEVIEWA, kEmptyCaption, 0, 0};
        default:
            return {nullptr, kNoCaption, 0, 0};
    }
}

Window* NewBuiltInControl(int type) {
    switch (type) {
        case CT_BUTTON:
            return new ButtonControl;
        case CT_CHECK:
            return new CheckControl;
        case CT_CODE_EDITOR:
        case CT_IMAGE_EDITOR:
        case CT_SOUND_EDITOR:
            return new ContentEditorWindow;
        case CT_COMBO:
            return new ComboControl;
        case CT_EDIT:
            return new EditControl;
        case CT_EDIT_IP:
            return new IpEditControl;
        case CT_EX_LIST:
            return new ListViewControl;
        case CT_GROUP:
            return new GroupControl;
        case CT_LIST:
            return new ListControl;
        case CT_PANEL:
            return new PanelWindow;
        case CT_PROGRESS:
            return new ProgressControl;
        case CT_PROPERTY:
            return new PropertyGridWindow;
        case CT_RADIO:
            return new RadioControl;
        case CT_RICH_EDIT:
            return new RichEditControl;
        case CT_SCROLL:
            return new ScrollControl;
        case CT_SLIDER:
            return new SliderControl;
        case CT_SPLIT:
            return new SplitWindow;
        case CT_TAB:
            return new TabControl;
        case CT_TAB_DOC:
            return new TabDocWindow;
        case CT_TEXT:
            return new TextControl;
        case CT_TREE:
            return new TreeControl;
        case CT_VOLUME:
            return new VolumeWindow;
        default:  // the dialog itself, media and visualisation have no class of their own
            return nullptr;
    }
}

}  // namespace

bool RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{};
        classes.dwSize = sizeof(classes);
        classes.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES |
                        ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_INTERNET_CLASSES;
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    return registered;
}

Window* BuildControl(DialogWindow* owner,
                     HWND parent,
                     const ControlDefinition* record,
                     ResourceProvider* provider,
                     bool live) {
    if (!parent || !record)
        return nullptr;
    (void)RegisterCommonControls();
    const RECT rect{record->x, record->y, static_cast<int16_t>(record->x + record->width),
                    static_cast<int16_t>(record->y + record->height)};
    const Blueprint blueprint = BlueprintOf(record->type);
    DWORD style = (record->style | blueprint.styleAdded) & ~blueprint.styleRemoved;
    DWORD exStyle = record->exStyle;
    if (record->type == CT_RICH_EDIT) {
        // The rich edit takes none of the record's styles.
        style = WS_CHILD | WS_VISIBLE;
        exStyle = 0;
        if (!RichEditControl::LoadLibraryOnce())
            return nullptr;
    }
    if (!live)
        style &= ~WS_VISIBLE;
    if (!(style & WS_POPUP))
        style |= WS_CHILD;
    Window* control = owner ? owner->NewControlObject(record->type) : nullptr;
    if (!control)
        control = NewBuiltInControl(record->type);
    if (!control)
        return nullptr;
    const char* caption = blueprint.caption == kCaption ? record->caption.Text() : "";
    ListControl* const list = record->type == CT_LIST ? dynamic_cast<ListControl*>(control) : nullptr;
    WindowArgs args;
    args.title = caption;
    args.style = style;
    args.exStyle = exStyle;
    args.rect = &rect;
    args.parent = parent;
    bool created = false;
    if (list)
        created = list->CreateList(style, exStyle, rect, parent);
    else if (blueprint.className)
        created = control->CreateControl(blueprint.className, args);
    else
        created = control->Create(args);
    if (!created) {
        delete control;
        return nullptr;
    }
    ApplyControlSettings(*control, *record, provider, live);
    control->definitionId = record->id;
    control->name = record->name;
    return control;
}
