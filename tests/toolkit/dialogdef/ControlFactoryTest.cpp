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

ControlDefinition Record(int16_t type, const char* properties = "") {
    ControlDefinition record;
    record.type = type;
    record.caption = "Caption";
    record.style = WS_VISIBLE;
    record.properties = properties;
    return record;
}

// Every case builds its controls on one hidden empty dialog.
class ControlFactory : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Build({})); }
    std::unique_ptr<Window> Build(const ControlDefinition& record, bool live = true) {
        return std::unique_ptr<Window>(BuildControl(nullptr, host.Handle(), &record, nullptr, live));
    }
    TestDialog host;
};

bool Checked(const std::unique_ptr<Window>& button) {
    return SendMessageA(button->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Every type makes a window of its own class (which class is the factory's table, not
// restated here), placed as defined (the dialog host finds controls by the id and name the
// factory gives them); three types need an owner's object.
TEST_F(ControlFactory, EveryTypeMakesItsWindow) {
    for (int16_t type = 0; type < CT_COUNT; type++) {
        ControlDefinition record = Record(type);
        record.y = 34;
        const std::unique_ptr<Window> control = Build(record);
        if (type == CT_DIALOG || type == CT_MEDIA || type == CT_VISUALIZATION) {
            EXPECT_EQ(control, nullptr) << type;
            continue;
        }
        ASSERT_NE(control, nullptr) << type;
        EXPECT_EQ(GetDlgCtrlID(control->Handle()), 0) << type;
        EXPECT_EQ(GetParent(control->Handle()), host.Handle()) << type;
        EXPECT_TRUE(GetWindowLongA(control->Handle(), GWL_STYLE) & WS_VISIBLE) << type;
        const RECT place = PlaceInParent(control->Handle());
        EXPECT_EQ((std::vector<LONG>{place.left, place.top, place.right}), (std::vector<LONG>{10, 34, 160})) << type;
        // A preview (not live) keeps every control hidden.
        EXPECT_FALSE(GetWindowLongA(Build(record, false)->Handle(), GWL_STYLE) & WS_VISIBLE) << type;
    }
}

TEST_F(ControlFactory, RangesAndPositionsFromPropertyLines) {
    const struct {
        int16_t type;
        const char* properties;
        std::vector<LRESULT> read;  // minimum, maximum, position
    } cases[] = {
        {CT_SLIDER, "SLIDER_VALUE=200\r\nSLIDER_MINVALUE=0\r\nSLIDER_MAXVALUE=255\r\n", {0, 255, 200}},
        {CT_SLIDER, "SLIDER_VALUE=30\r\nSLIDER_MINVALUE=10\r\nSLIDER_MAXVALUE=20\r\n", {10, 20, 20}},
        {CT_PROGRESS, "PROGRESS_VALUE=7\r\nPROGRESS_MINVALUE=5\r\nPROGRESS_MAXVALUE=9\r\n", {5, 9, 7}},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<Window> control = Build(Record(c.type, c.properties));
        ASSERT_NE(control, nullptr) << c.properties;
        const HWND handle = control->Handle();
        const bool slider = c.type == CT_SLIDER;
        // PBM_GETRANGE gives the low limit for TRUE and the high one for FALSE.
        const std::vector<LRESULT> read = {SendMessageA(handle, slider ? TBM_GETRANGEMIN : PBM_GETRANGE, TRUE, 0),
                                           SendMessageA(handle, slider ? TBM_GETRANGEMAX : PBM_GETRANGE, FALSE, 0),
                                           SendMessageA(handle, slider ? TBM_GETPOS : PBM_GETPOS, 0, 0)};
        EXPECT_EQ(read, c.read) << c.properties;
    }
}

TEST_F(ControlFactory, CheckMarksRadioGroupsAndTabPages) {
    EXPECT_FALSE(Checked(Build(Record(CT_CHECK))));
    EXPECT_TRUE(Checked(Build(Record(CT_CHECK, "CHECK_CHECKED=1\r\n"))));

    // Radio buttons of one parent clear each other whatever their group numbers.
    const std::unique_ptr<Window> first = Build(Record(CT_RADIO, "RADIO_GROUP=1\r\nRADIO_CHECKED=1\r\n"));
    const std::unique_ptr<Window> second = Build(Record(CT_RADIO, "RADIO_GROUP=2\r\nRADIO_CHECKED=1\r\n"));
    EXPECT_FALSE(Checked(first));
    EXPECT_TRUE(Checked(second));
    // A click selects as a definition does: one without a group (-1) leaves the others alone,
    // one with a group clears them.
    const std::unique_ptr<Window> loose = Build(Record(CT_RADIO, "RADIO_GROUP=-1\r\n"));
    const auto click = [&](const Window& radio) {
        SendMessageA(host.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(radio.Handle()));
        return std::vector<bool>{Checked(loose), Checked(second)};
    };
    EXPECT_EQ(click(*loose), (std::vector<bool>{true, true}));
    EXPECT_EQ(click(*first), (std::vector<bool>{false, false}));

    const std::unique_ptr<Window> tab = Build(Record(CT_TAB, "TAB_CONTENT=Tab 1, Tab 2\r\nTAB_SELECTION=1\r\n"));
    TabControl& pages = static_cast<TabControl&>(*tab);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.GetSelectedPage(), 1);
    char caption[16] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    SendMessageA(tab->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, " Tab 2");  // the pages split at commas, untrimmed
    EXPECT_FALSE(pages.AttachToPage(2, first.get()));
    EXPECT_TRUE(pages.AttachToPage(1, first.get()));
    EXPECT_FALSE(pages.AttachToPage(1, first.get()));  // once only
}

// Types without a class of their own are built on an object the owner supplies, or not at
// all (the text control tests supply objects of their own for a type that has a class).
class OwnMediaDialog : public DialogWindow {
public:
    Window* NewControlObject(int type) override { return type == CT_MEDIA ? new Window : nullptr; }
};

TEST_F(ControlFactory, OwnerHookSuppliesTheObject) {
    OwnMediaDialog owner;
    const ControlDefinition media = Record(CT_MEDIA), visualisation = Record(CT_VISUALIZATION);
    EXPECT_NE(std::unique_ptr<Window>(BuildControl(&owner, host.Handle(), &media, nullptr, true)), nullptr);
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
        const std::unique_ptr<Window> control = Build(Record(c.type));
        ASSERT_NE(control, nullptr) << c.type;
        // Middle and right buttons: a left press would start the scroll bar's own modal tracking.
        for (UINT message : {UINT(WM_MBUTTONDOWN), UINT(WM_MBUTTONUP), UINT(WM_SWND_MCLICK), UINT(WM_RBUTTONDBLCLK)})
            SendMessageA(control->Handle(), message, message == WM_MBUTTONDOWN ? MK_MBUTTON : 0, MAKELPARAM(5, 5));
        // Down, up, click, double click, in order (the framework may add clicks of its own).
        const std::vector<uint32_t> expected = {10, 18, 34, 68};
        size_t matched = 0;
        for (const Report& report : host.reports) {
            if (report.message == c.mouse) {
                EXPECT_EQ(report.control, reinterpret_cast<WPARAM>(control.get()));
                matched += matched < expected.size() && report.code == expected[matched] ? 1 : 0;
            }
        }
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
        const ControlDefinition record = Record(CT_TEXT, c.properties);
        std::unique_ptr<Window> text(BuildControl(nullptr, host.Handle(), &record, &resources, true));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(WindowText(text->Handle()), c.text);
        EXPECT_EQ(!text->Skin().IsEmpty(), c.skinned) << c.properties;
    }
}

}  // namespace
