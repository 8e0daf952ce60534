// Tests of the control factory and the controls it makes: the window of every type, the
// settings of the definition, the owner's hook, and what the controls report to their
// parent.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/TabControl.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/ControlFactory.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/media/Image.h"

using namespace dialogtest;

namespace {

ControlDefinition Record(int16_t type, uint32_t style, const char* properties = "") {
    ControlDefinition record;
    record.type = type;
    record.id = 42;
    record.name = "CONTROL";
    record.caption = "Caption";
    record.style = style;
    record.properties = properties;
    return record;
}

// Every case builds its controls on one hidden host window.
class ControlFactory : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    std::unique_ptr<Window> Build(const ControlDefinition& record, bool live = true) {
        return std::unique_ptr<Window>(BuildControl(nullptr, host.Handle(), &record, nullptr, live));
    }
    HostWindow host;
};

// Every type makes a window of its own class (which class is the factory's table, not
// restated here), placed as defined (the dialog host finds controls by the id and name the
// factory gives them); three types need an owner's object.
TEST_F(ControlFactory, EveryTypeMakesItsWindow) {
    EXPECT_TRUE(RegisterCommonControls());
    for (int16_t type = 0; type < CT_COUNT; type++) {
        ControlDefinition record = Record(type, WS_VISIBLE);
        record.x = 12;
        record.y = 34;
        record.width = 56;
        record.height = 20;
        const std::unique_ptr<Window> control = Build(record);
        if (type == CT_DIALOG || type == CT_MEDIA || type == CT_VISUALIZATION) {
            EXPECT_EQ(control, nullptr) << type;
            continue;
        }
        ASSERT_NE(control, nullptr) << type;
        EXPECT_EQ(GetDlgCtrlID(control->Handle()), 0) << type;
        EXPECT_EQ(GetParent(control->Handle()), host.Handle()) << type;
        EXPECT_TRUE(GetWindowLongA(control->Handle(), GWL_STYLE) & WS_VISIBLE) << type;
        RECT rect{};
        GetWindowRect(control->Handle(), &rect);
        MapWindowPoints(nullptr, host.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 12) << type;
        EXPECT_EQ(rect.top, 34) << type;
        EXPECT_EQ(rect.right - rect.left, 56) << type;
        // A preview (not live) keeps every control hidden.
        const std::unique_ptr<Window> preview = Build(record, false);
        EXPECT_FALSE(GetWindowLongA(preview->Handle(), GWL_STYLE) & WS_VISIBLE) << type;
    }
}

TEST_F(ControlFactory, RangesAndPositionsFromPropertyLines) {
    const struct {
        int16_t type;
        const char* properties;
        UINT getMin, getMax, getPos;
        int minimum, maximum, position;
    } cases[] = {
        {CT_SLIDER, "SLIDER_VALUE=200\r\nSLIDER_MINVALUE=0\r\nSLIDER_MAXVALUE=255\r\n", TBM_GETRANGEMIN,
         TBM_GETRANGEMAX, TBM_GETPOS, 0, 255, 200},
        {CT_SLIDER, "SLIDER_VALUE=30\r\nSLIDER_MINVALUE=10\r\nSLIDER_MAXVALUE=20\r\n", TBM_GETRANGEMIN, TBM_GETRANGEMAX,
         TBM_GETPOS, 10, 20, 20},
        {CT_PROGRESS, "PROGRESS_VALUE=7\r\nPROGRESS_MINVALUE=5\r\nPROGRESS_MAXVALUE=9\r\n", 0, 0, PBM_GETPOS, 5, 9, 7},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<Window> control = Build(Record(c.type, WS_VISIBLE, c.properties));
        ASSERT_NE(control, nullptr) << c.properties;
        HWND handle = control->Handle();
        if (c.type == CT_PROGRESS) {
            PBRANGE range{};
            SendMessageA(handle, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
            EXPECT_EQ(range.iLow, c.minimum);
            EXPECT_EQ(range.iHigh, c.maximum);
        } else {
            EXPECT_EQ(SendMessageA(handle, c.getMin, 0, 0), c.minimum) << c.properties;
            EXPECT_EQ(SendMessageA(handle, c.getMax, 0, 0), c.maximum) << c.properties;
        }
        EXPECT_EQ(SendMessageA(handle, c.getPos, 0, 0), c.position) << c.properties;
    }
}

TEST_F(ControlFactory, CheckMarksRadioGroupsAndTabPages) {
    const std::unique_ptr<Window> clear = Build(Record(CT_CHECK, WS_VISIBLE));
    const std::unique_ptr<Window> checked = Build(Record(CT_CHECK, WS_VISIBLE, "CHECK_CHECKED=1\r\n"));
    EXPECT_EQ(SendMessageA(clear->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(checked->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Radio buttons of one parent clear each other whatever their group numbers.
    const std::unique_ptr<Window> first = Build(Record(CT_RADIO, WS_VISIBLE, "RADIO_GROUP=1\r\nRADIO_CHECKED=1\r\n"));
    const std::unique_ptr<Window> second = Build(Record(CT_RADIO, WS_VISIBLE, "RADIO_GROUP=2\r\nRADIO_CHECKED=1\r\n"));
    EXPECT_EQ(SendMessageA(first->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(second->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A click selects as a definition does: one without a group (-1) leaves the others alone,
    // one with a group clears them.
    const std::unique_ptr<Window> loose = Build(Record(CT_RADIO, WS_VISIBLE, "RADIO_GROUP=-1\r\n"));
    const auto click = [this](const Window& radio) {
        SendMessageA(host.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(radio.Handle()));
    };
    click(*loose);
    EXPECT_EQ(SendMessageA(loose->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(second->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    click(*first);
    EXPECT_EQ(SendMessageA(loose->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(second->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    const std::unique_ptr<Window> tab =
        Build(Record(CT_TAB, WS_VISIBLE, "TAB_CONTENT=Tab 1, Tab 2\r\nTAB_SELECTION=1\r\n"));
    TabControl& pages = static_cast<TabControl&>(*tab);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.GetSelectedPage(), 1);
    char caption[16] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    SendMessageA(tab->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, " Tab 2");
    EXPECT_FALSE(pages.AttachToPage(2, first.get()));
    EXPECT_TRUE(pages.AttachToPage(1, first.get()));
    EXPECT_FALSE(pages.AttachToPage(1, first.get()));
}

// A dialog that supplies its own object for the types that have no class of their own.
class OwnMediaDialog : public DialogWindow {
public:
    Window* NewControlObject(int type) override { return type == CT_MEDIA ? new Window : nullptr; }
};

TEST_F(ControlFactory, OwnerHookSuppliesTheObject) {
    OwnMediaDialog owner;
    const ControlDefinition media = Record(CT_MEDIA, WS_VISIBLE);
    std::unique_ptr<Window> control(BuildControl(&owner, host.Handle(), &media, nullptr, true));
    ASSERT_NE(control, nullptr);
    char className[16] = {};
    GetClassNameA(control->Handle(), className, sizeof(className));
    EXPECT_STREQ(className, "CLASS_SWND");
    const ControlDefinition visualisation = Record(CT_VISUALIZATION, WS_VISIBLE);
    EXPECT_EQ(BuildControl(&owner, host.Handle(), &visualisation, nullptr, true), nullptr);
    EXPECT_EQ(BuildControl(&owner, nullptr, &media, nullptr, true), nullptr);
    EXPECT_EQ(BuildControl(&owner, host.Handle(), nullptr, nullptr, true), nullptr);
}

TEST_F(ControlFactory, ControlsReportMouseInputToTheParent) {
    const struct {
        int16_t type;
        UINT mouse;
    } cases[] = {
        {CT_BUTTON, WM_SWND_BUTTONMOUSE},    {CT_CHECK, WM_SWND_CHECKMOUSE},     {CT_RADIO, WM_SWND_RADIOMOUSE},
        {CT_GROUP, WM_SWND_GROUPMOUSE},      {CT_SLIDER, WM_SWND_TRACKBARMOUSE}, {CT_PROGRESS, WM_SWND_PROGRESSMOUSE},
        {CT_SCROLL, WM_SWND_SCROLLBARMOUSE}, {CT_TAB, WM_SWND_TABMOUSE},         {CT_TEXT, WM_SWND_TEXTMOUSE},
    };
    for (const auto& c : cases) {
        host.reports.clear();
        const std::unique_ptr<Window> control = Build(Record(c.type, WS_VISIBLE));
        ASSERT_NE(control, nullptr) << c.type;
        // Middle and right buttons: a left press would start the scroll bar's own modal tracking.
        const LPARAM at = MAKELPARAM(5, 5);
        SendMessageA(control->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, at);
        SendMessageA(control->Handle(), WM_MBUTTONUP, 0, at);
        SendMessageA(control->Handle(), WM_SWND_MCLICK, 0, at);
        SendMessageA(control->Handle(), WM_RBUTTONDBLCLK, 0, at);
        std::vector<uint32_t> codes;
        for (const Report& report : host.reports) {
            if (report.message == c.mouse) {
                EXPECT_EQ(report.control, reinterpret_cast<WPARAM>(control.get()));
                codes.push_back(report.code);
            }
        }
        // Down, up, click, double click, in order (the framework may add clicks of its own).
        const std::vector<uint32_t> expected = {10, 18, 34, 68};
        size_t matched = 0;
        for (uint32_t code : codes)
            matched += matched < expected.size() && code == expected[matched] ? 1 : 0;
        EXPECT_EQ(matched, expected.size()) << c.type;
    }
}

// Resources by name: one text and one picture.
class TestResources : public ResourceProvider {
public:
    bool LoadResource(const char* name, MemoryStream& out) override {
        out.Close();
        if (strcmp(name, "GREETING") == 0) {
            out.WriteText("Hello from a resource");
            return true;
        }
        if (strcmp(name, "PICTURE") != 0)
            return false;
        Image picture(4, 3);
        picture.Clear(0xFF336699);
        return picture.SaveToStream(&out, Image::kFormatPng);
    }
};

TEST_F(ControlFactory, ResourcesOfTheProviderReachTheControl) {
    TestResources resources;
    const struct {
        const char* properties;
        const char* text;
        bool skinned;
    } cases[] = {
        {"TEXT_TEXT=GREETING\r\nTEXT_IMAGE=PICTURE\r\n", "Hello from a resource", true},
        {"TEXT_TEXT=MISSING\r\nTEXT_IMAGE=GREETING\r\n", "Caption", false},
    };
    for (const auto& c : cases) {
        const ControlDefinition record = Record(CT_TEXT, WS_VISIBLE, c.properties);
        std::unique_ptr<Window> text(BuildControl(nullptr, host.Handle(), &record, &resources, true));
        ASSERT_NE(text, nullptr);
        char content[64] = {};
        GetWindowTextA(text->Handle(), content, sizeof(content));
        EXPECT_STREQ(content, c.text);
        EXPECT_EQ(!text->Skin().IsEmpty(), c.skinned) << c.properties;
    }
}

}  // namespace
