// The type-specific settings the control factory applies after it made a control's window:
// colours, ranges and positions, pages, text modes, and content from the resource provider.
// Each setting reaches the control through its class's own methods, so the Win32 message
// behind it is written once, in the class; an owner's own object (any Window) of a type gets
// only the colours that every Window carries. Texts of a definition are in the ANSI code page,
// as the format has them: they go through the ANSI call, and the system converts them for the
// wide windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "toolkit/base/MemoryStream.h"
#include "toolkit/controls/CheckControl.h"
#include "toolkit/controls/EditControl.h"
#include "toolkit/controls/EditorWindows.h"
#include "toolkit/controls/RadioControl.h"
#include "toolkit/controls/TabControl.h"
#include "toolkit/controls/TextControl.h"
#include "toolkit/controls/ValueControls.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/ControlFactory.h"
#include "toolkit/dialogdef/DefinitionColors.h"
#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/dialogdef/Tokenizer.h"
#include "toolkit/media/GdiplusColor.h"
#include "toolkit/media/Image.h"

bool LoadResourceImage(ResourceProvider* provider, const char* name, Image& picture) {
    MemoryStream stream;
    if (!provider || !name || !*name || !provider->LoadResource(name, stream))
        return false;
    stream.Seek(0);
    return picture.LoadFromStream(&stream);
}

namespace {

// Texts from resources are bounded: a text control shows at most this many characters.
constexpr int kMaxResourceText = 10000;
constexpr int kMaxEditorResource = 16 * 1024 * 1024;

uint32_t BackgroundWord(uint32_t definitionColor) {
    COLORREF color = 0;
    return ResolveColor(definitionColor, color) ? color : Window::kNoColor;
}

uint32_t PropertyColor(const ControlDefinition& record, const char* key) {
    return static_cast<uint32_t>(record.GetPropertyInt(key));
}

bool LoadNamed(ResourceProvider* provider, const ControlDefinition& record, const char* key, MemoryStream& out) {
    const String name = record.GetProperty(key);
    if (!provider || name.IsEmpty() || !provider->LoadResource(name, out))
        return false;
    out.Seek(0);
    return true;
}

String LoadText(ResourceProvider* provider, const ControlDefinition& record, const char* key, int limit) {
    MemoryStream stream;
    if (!LoadNamed(provider, record, key, stream) || stream.GetSize() > kMaxEditorResource)
        return String();
    return stream.ReadText(stream.GetSize() < limit ? stream.GetSize() : limit);
}

void ApplyButtonColors(Window& control, const ControlDefinition& record) {
    control.background = BackgroundWord(record.backColor);
}

void ApplyText(TextControl& text, const ControlDefinition& record, ResourceProvider* provider, bool live) {
    COLORREF color = 0;
    if (ResolveColor(record.textColor, color))
        text.SetColor(ArgbOf(color));
    if (ResolveColor(record.backColor, color))
        text.background = color;
    text.SetWrapping(record.GetPropertyInt("TEXT_WRAPPING") != 0);
    text.SetTags(record.GetPropertyInt("TEXT_TAGS") != 0);
    text.SetMargins(record.GetPropertyInt("TEXT_LEFTMARGIN"), record.GetPropertyInt("TEXT_TOPMARGIN"),
                    record.GetPropertyInt("TEXT_RIGHTMARGIN"), record.GetPropertyInt("TEXT_BOTTOMMARGIN"));
    const String content = LoadText(provider, record, "TEXT_TEXT", kMaxResourceText);
    if (!content.IsEmpty())
        SetWindowTextA(text.Handle(), content);
    Image picture;
    if (LoadResourceImage(provider, record.GetProperty("TEXT_IMAGE"), picture)) {
        picture.SetBackground(text.background);
        text.SetSkin(&picture, Window::kNoColor, nullptr, false);
    }
    if (!live)
        return;
    const double speedX = atof(record.GetProperty("TEXT_AUTOSCROLLX"));
    const double speedY = atof(record.GetProperty("TEXT_AUTOSCROLLY"));
    if (speedX != 0 || speedY != 0)
        text.StartAutoScroll(speedX, speedY);
    if (record.GetPropertyInt("TEXT_AUTOSCROLLLOOP") != 0)
        text.SetAutoScrollLoop(true, speedY != 0);
}

// The range, then the position, from the type's MINVALUE, MAXVALUE and VALUE lines.
template <typename ValueControl>
void ApplyRange(ValueControl& control, const ControlDefinition& record, const char* prefix) {
    const String keyPrefix(prefix);
    control.SetRange(record.GetPropertyInt(keyPrefix + "MINVALUE"), record.GetPropertyInt(keyPrefix + "MAXVALUE"));
    control.SetPosition(record.GetPropertyInt(keyPrefix + "VALUE"));
}

void ApplyTabPages(TabControl& tab, const ControlDefinition& record) {
    StringList pages;
    Tokenizer::Split(record.GetProperty("TAB_CONTENT"), ",", 0, pages);
    for (int i = 0; i < pages.Count(); i++)
        tab.InsertPage(pages.At(i));
    tab.SelectPage(record.GetPropertyInt("TAB_SELECTION"));
}

void ApplyTabDoc(TabDocWindow& tabs, const ControlDefinition& record) {
    const char* const keys[TabDocWindow::kColorCount] = {"TABDOC_BACKCOLOR", "TABDOC_BACKSELCOLOR", "TABDOC_TEXTCOLOR",
                                                         "TABDOC_TEXTSELCOLOR", "TABDOC_WINDOWBACKCOLOR"};
    for (int i = 0; i < TabDocWindow::kColorCount; i++)
        tabs.colors[i] = PropertyColor(record, keys[i]);
    tabs.closeButtons = record.GetPropertyInt("TABDOC_CLOSE") != 0;
    tabs.movablePages = record.GetPropertyInt("TABDOC_MOVE") != 0;
    Tokenizer::Split(record.GetProperty("TABDOC_CONTENT"), ",", 0, tabs.pages);
    tabs.selection = record.GetPropertyInt("TABDOC_SELECTION");
}

void ApplyVolume(VolumeWindow& volume, const ControlDefinition& record) {
    volume.colors[VolumeWindow::kBack] = PropertyColor(record, "VOLUME_BACKCOLOR");
    volume.colors[VolumeWindow::kLow] = PropertyColor(record, "VOLUME_LOWCOLOR");
    volume.colors[VolumeWindow::kHigh] = PropertyColor(record, "VOLUME_HIGHCOLOR");
    volume.horizontal = record.GetPropertyInt("VOLUME_HORIZONTAL") != 0;
    volume.ticks = record.GetPropertyInt("VOLUME_TICK") != 0;
    volume.channels = record.GetPropertyInt("VOLUME_CHANNELCOUNT");
    volume.minimum = record.GetPropertyInt("VOLUME_MINVALUE");
    volume.maximum = record.GetPropertyInt("VOLUME_MAXVALUE");
    volume.value = record.GetPropertyInt("VOLUME_VALUE");
}

void LoadEditorContent(Window& control, const ControlDefinition& record, ResourceProvider* provider, const char* key) {
    MemoryStream content;
    if (!LoadNamed(provider, record, key, content) || content.GetSize() > kMaxEditorResource)
        return;
    if (ContentEditorWindow* editor = dynamic_cast<ContentEditorWindow*>(&control))
        editor->LoadContent(content);
    else
        SetWindowTextA(control.Handle(), content.ReadText(-1));
}

}  // namespace

void ApplyControlSettings(Window& control, const ControlDefinition& record, ResourceProvider* provider, bool live) {
    HWND handle = control.Handle();
    switch (record.type) {
        case CT_CHECK:
            ApplyButtonColors(control, record);
            if (CheckControl* check = dynamic_cast<CheckControl*>(&control)) {
                if (record.GetPropertyInt("CHECK_CHECKED") != 0)
                    check->SetCheck(BST_CHECKED);
            }
            break;
        case CT_RADIO:
            ApplyButtonColors(control, record);
            if (RadioControl* radio = dynamic_cast<RadioControl*>(&control)) {
                radio->group = record.GetPropertyInt("RADIO_GROUP");
                if (record.GetPropertyInt("RADIO_CHECKED") != 0)
                    radio->SelectRadio();
            }
            break;
        case CT_EDIT: {
            COLORREF color = 0;
            EditControl* edit = dynamic_cast<EditControl*>(&control);
            if (edit && ResolveColor(record.textColor, color))
                edit->SetTextColor(ToOpaqueArgb(color));
            if (ResolveColor(record.backColor, color))
                control.background = color;
            const String text = LoadText(provider, record, "EDIT_TEXT", kMaxEditorResource);
            if (!text.IsEmpty())
                SetWindowTextA(handle, text);
            break;
        }
        case CT_PROGRESS:
            if (ProgressControl* progress = dynamic_cast<ProgressControl*>(&control))
                ApplyRange(*progress, record, "PROGRESS_");
            break;
        case CT_SCROLL:
            if (ScrollControl* scroll = dynamic_cast<ScrollControl*>(&control))
                ApplyRange(*scroll, record, "SCROLL_");
            break;
        case CT_SLIDER:
            if (SliderControl* slider = dynamic_cast<SliderControl*>(&control))
                ApplyRange(*slider, record, "SLIDER_");
            break;
        case CT_EX_LIST:
            SendMessageA(handle, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, record.exStyle);
            break;
        case CT_TAB:
            if (TabControl* tab = dynamic_cast<TabControl*>(&control))
                ApplyTabPages(*tab, record);
            break;
        case CT_TAB_DOC:
            if (TabDocWindow* tabs = dynamic_cast<TabDocWindow*>(&control))
                ApplyTabDoc(*tabs, record);
            break;
        case CT_SPLIT:
            if (SplitWindow* split = dynamic_cast<SplitWindow*>(&control)) {
                split->childBackColor = PropertyColor(record, "SPLIT_WINDOWBACKCOLOR");
                split->rows = record.GetPropertyInt("SPLIT_ROWCOUNT");
                split->columns = record.GetPropertyInt("SPLIT_COLCOUNT");
            }
            break;
        case CT_PROPERTY:
            if (PropertyGridWindow* grid = dynamic_cast<PropertyGridWindow*>(&control))
                grid->french = record.GetPropertyInt("FRENCH") != 0;
            break;
        case CT_VOLUME:
            if (VolumeWindow* volume = dynamic_cast<VolumeWindow*>(&control))
                ApplyVolume(*volume, record);
            break;
        case CT_TEXT:
            if (TextControl* text = dynamic_cast<TextControl*>(&control))
                ApplyText(*text, record, provider, live);
            break;
        case CT_CODE_EDITOR:
            LoadEditorContent(control, record, provider, "CODEEDITOR_FILE");
            break;
        case CT_IMAGE_EDITOR:
            LoadEditorContent(control, record, provider, "IMAGEEDITOR_FILE");
            break;
        case CT_SOUND_EDITOR:
            LoadEditorContent(control, record, provider, "SOUNDEDITOR_FILE");
            break;
        case CT_RICH_EDIT:
            LoadEditorContent(control, record, provider, "RICHEDIT_FILE");
            break;
        default:
            break;
    }
}
