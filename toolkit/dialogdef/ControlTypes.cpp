// Tables of the control types; see ControlTypes.h. The keyword lists are in the order in
// which StyleToKeywords writes them; a keyword of two bits follows its one-bit parts.
#include "toolkit/dialogdef/ControlTypes.h"

#include <cstring>

namespace {

const StyleKeyword kNoKeywords[] = {{nullptr, 0, false}};

const StyleKeyword kDialogKeywords[] = {{"WS_BORDER", 0x800000, false},
                                        {"WS_CAPTION", 0xC00000, false},
                                        {"WS_SYSMENU", 0x80000, false},
                                        {"WS_MAXIMIZEBOX", 0x10000, false},
                                        {"WS_MINIMIZEBOX", 0x20000, false},
                                        {"WS_SIZEBOX", 0x40000, false},
                                        {"WS_MAXIMIZE", 0x1000000, false},
                                        {"WS_MINIMIZE", 0x20000000, false},
                                        {"WS_EX_CLIENTEDGE", 0x200, true},
                                        {"WS_EX_STATICEDGE", 0x20000, true},
                                        {"WS_EX_TOOLWINDOW", 0x80, true},
                                        {"WS_EX_TOPMOST", 0x8, true},
                                        {nullptr, 0, false}};

const StyleKeyword kButtonKeywords[] = {
    {"BS_LEFT", 0x100, false},  {"BS_RIGHT", 0x200, false},      {"BS_CENTER", 0x300, false},
    {"BS_TOP", 0x400, false},   {"BS_BOTTOM", 0x800, false},     {"BS_VCENTER", 0xC00, false},
    {"BS_FLAT", 0x8000, false}, {"BS_MULTILINE", 0x2000, false}, {nullptr, 0, false}};

const StyleKeyword kBorderKeywords[] = {{"WS_BORDER", 0x800000, false},
                                        {"WS_EX_CLIENTEDGE", 0x200, true},
                                        {"WS_EX_STATICEDGE", 0x20000, true},
                                        {nullptr, 0, false}};

const StyleKeyword kComboKeywords[] = {
    {"WS_VSCROLL", 0x200000, false},        {"CBS_SIMPLE", 0x1, false},       {"CBS_DROPDOWN", 0x2, false},
    {"CBS_DROPDOWNLIST", 0x3, false},       {"CBS_AUTOHSCROLL", 0x40, false}, {"CBS_DISABLENOSCROLL", 0x800, false},
    {"CBS_NOINTEGRALHEIGHT", 0x400, false}, {"CBS_SORT", 0x100, false},       {nullptr, 0, false}};

const StyleKeyword kEditKeywords[] = {{"WS_BORDER", 0x800000, false},      {"WS_HSCROLL", 0x100000, false},
                                      {"WS_VSCROLL", 0x200000, false},     {"ES_LEFT", 0, false},
                                      {"ES_CENTER", 0x1, false},           {"ES_RIGHT", 0x2, false},
                                      {"ES_AUTOHSCROLL", 0x80, false},     {"ES_AUTOVSCROLL", 0x40, false},
                                      {"ES_READONLY", 0x800, false},       {"ES_NOHIDESEL", 0x100, false},
                                      {"ES_LOWERCASE", 0x10, false},       {"ES_UPPERCASE", 0x8, false},
                                      {"ES_MULTILINE", 0x4, false},        {"ES_PASSWORD", 0x20, false},
                                      {"ES_NUMBER", 0x2000, false},        {"WS_EX_CLIENTEDGE", 0x200, true},
                                      {"WS_EX_STATICEDGE", 0x20000, true}, {nullptr, 0, false}};

const StyleKeyword kExListKeywords[] = {{"WS_BORDER", 0x800000, false},
                                        {"LVS_ICON", 0, false},
                                        {"LVS_REPORT", 0x1, false},
                                        {"LVS_SMALLICON", 0x2, false},
                                        {"LVS_LIST", 0x3, false},
                                        {"LVS_AUTOARRANGE", 0x100, false},
                                        {"LVS_SINGLESEL", 0x4, false},
                                        {"LVS_NOLABELWRAP", 0x80, false},
                                        {"LVS_NOSCROLL", 0x2000, false},
                                        {"LVS_SHOWSELALWAYS", 0x8, false},
                                        {"LVS_SORTASCENDING", 0x10, false},
                                        {"LVS_SORTDESCENDING", 0x20, false},
                                        {"WS_EX_CLIENTEDGE", 0x200, true},
                                        {"WS_EX_STATICEDGE", 0x20000, true},
                                        {"LVS_EX_FULLROWSELECT", 0x20, true},
                                        {"LVS_EX_GRIDLINES", 0x1, true},
                                        {nullptr, 0, false}};

const StyleKeyword kGroupKeywords[] = {{"BS_LEFT", 0x100, false},
                                       {"BS_RIGHT", 0x200, false},
                                       {"BS_CENTER", 0x300, false},
                                       {nullptr, 0, false}};

const StyleKeyword kListKeywords[] = {
    {"WS_BORDER", 0x800000, false},         {"WS_HSCROLL", 0x100000, false},        {"WS_VSCROLL", 0x200000, false},
    {"LBS_MULTIPLESEL", 0x8, false},        {"LBS_EXTENDEDSEL", 0x800, false},      {"LBS_NOSEL", 0x4000, false},
    {"LBS_DISABLENOSCROLL", 0x1000, false}, {"LBS_NOINTEGRALHEIGHT", 0x100, false}, {"LBS_SORT", 0x2, false},
    {"WS_EX_CLIENTEDGE", 0x200, true},      {"WS_EX_STATICEDGE", 0x20000, true},    {nullptr, 0, false}};

const StyleKeyword kProgressKeywords[] = {{"PBS_VERTICAL", 0x4, false},
                                          {"PBS_SMOOTH", 0x1, false},
                                          {nullptr, 0, false}};

const StyleKeyword kRichEditKeywords[] = {{"WS_BORDER", 0x800000, false},
                                          {"WS_HSCROLL", 0x100000, false},
                                          {"WS_VSCROLL", 0x200000, false},
                                          {"ES_LEFT", 0, false},
                                          {"ES_RIGHT", 0x2, false},
                                          {"ES_CENTER", 0x1, false},
                                          {"ES_AUTOHSCROLL", 0x80, false},
                                          {"ES_AUTOVSCROLL", 0x40, false},
                                          {"ES_READONLY", 0x800, false},
                                          {"ES_NOHIDESEL", 0x100, false},
                                          {"ES_MULTILINE", 0x4, false},
                                          {"ES_PASSWORD", 0x20, false},
                                          {"ES_NUMBER", 0x2000, false},
                                          {"WS_EX_CLIENTEDGE", 0x200, true},
                                          {"WS_EX_STATICEDGE", 0x20000, true},
                                          {nullptr, 0, false}};

const StyleKeyword kScrollKeywords[] = {{"SBS_VERT", 0x1, false}, {nullptr, 0, false}};

const StyleKeyword kSliderKeywords[] = {{"WS_BORDER", 0x800000, false},
                                        {"TBS_VERT", 0x2, false},
                                        {"WS_EX_CLIENTEDGE", 0x200, true},
                                        {"WS_EX_STATICEDGE", 0x20000, true},
                                        {nullptr, 0, false}};

const StyleKeyword kTreeKeywords[] = {{"WS_BORDER", 0x800000, false},      {"TVS_HASBUTTONS", 0x1, false},
                                      {"TVS_HASLINES", 0x2, false},        {"TVS_LINESATROOT", 0x4, false},
                                      {"TVS_SHOWSELALWAYS", 0x20, false},  {"WS_EX_CLIENTEDGE", 0x200, true},
                                      {"WS_EX_STATICEDGE", 0x20000, true}, {nullptr, 0, false}};

const PropertyDefault kNoProperties[] = {{nullptr, nullptr}};
const PropertyDefault kProgressProperties[] = {{"PROGRESS_VALUE", "0"},
                                               {"PROGRESS_MINVALUE", "0"},
                                               {"PROGRESS_MAXVALUE", "100"},
                                               {nullptr, nullptr}};
const PropertyDefault kScrollProperties[] = {{"SCROLL_VALUE", "0"},
                                             {"SCROLL_MINVALUE", "0"},
                                             {"SCROLL_MAXVALUE", "100"},
                                             {nullptr, nullptr}};
const PropertyDefault kSliderProperties[] = {{"SLIDER_VALUE", "0"},
                                             {"SLIDER_MINVALUE", "0"},
                                             {"SLIDER_MAXVALUE", "100"},
                                             {nullptr, nullptr}};
const PropertyDefault kRadioProperties[] = {{"RADIO_GROUP", "0"}, {"RADIO_CHECKED", "0"}, {nullptr, nullptr}};
const PropertyDefault kPropertyProperties[] = {{"FRENCH", "0"}, {nullptr, nullptr}};
const PropertyDefault kSplitProperties[] = {{"SPLIT_COLCOUNT", "2"},
                                            {"SPLIT_ROWCOUNT", "1"},
                                            {"SPLIT_WINDOWBACKCOLOR", "-16777216"},
                                            {nullptr, nullptr}};
const PropertyDefault kTabProperties[] = {{"TAB_CONTENT", "Tab 1, Tab 2"}, {"TAB_SELECTION", "0"}, {nullptr, nullptr}};
const PropertyDefault kTabDocProperties[] = {{"TABDOC_CONTENT", "Tab 1, Tab 2"},
                                             {"TABDOC_SELECTION", "0"},
                                             {"TABDOC_CLOSE", "1"},
                                             {"TABDOC_MOVE", "1"},
                                             {"TABDOC_BACKCOLOR", "-16777216"},
                                             {"TABDOC_BACKSELCOLOR", "-16777216"},
                                             {"TABDOC_TEXTCOLOR", "-16777216"},
                                             {"TABDOC_TEXTSELCOLOR", "-16777216"},
                                             {"TABDOC_WINDOWBACKCOLOR", "-16777216"},
                                             {nullptr, nullptr}};
const PropertyDefault kTextProperties[] = {
    {"TEXT_WRAPPING", "1"},       {"TEXT_TAGS", "0"},         {"TEXT_LEFTMARGIN", "4"},  {"TEXT_TOPMARGIN", "4"},
    {"TEXT_RIGHTMARGIN", "4"},    {"TEXT_BOTTOMMARGIN", "4"}, {"TEXT_AUTOSCROLLX", "0"}, {"TEXT_AUTOSCROLLY", "0"},
    {"TEXT_AUTOSCROLLLOOP", "0"}, {nullptr, nullptr}};
const PropertyDefault kVolumeProperties[] = {{"VOLUME_CHANNELCOUNT", "1"},
                                             {"VOLUME_TICK", "1"},
                                             {"VOLUME_VALUE", "0"},
                                             {"VOLUME_MINVALUE", "0"},
                                             {"VOLUME_MAXVALUE", "1000"},
                                             {"VOLUME_BACKCOLOR", "-16777216"},
                                             {"VOLUME_LOWCOLOR", "-16777216"},
                                             {"VOLUME_HIGHCOLOR", "-16777216"},
                                             {nullptr, nullptr}};

constexpr int16_t kKeep = -1;
constexpr uint32_t kClientEdge = 0x200;

// Width and height kSystemScrollHeight stands for the system's horizontal scroll bar height.
const ControlTypeInfo kTypes[CT_COUNT] = {
    {CT_DIALOG, "Dialog", kDialogKeywords, {kKeep, kKeep, 0, 0, kNoProperties}},
    {CT_BUTTON, "Button", kButtonKeywords, {100, 25, 0xF00, 0, kNoProperties}},
    {CT_CHECK, "Check", kBorderKeywords, {kKeep, 20, 0, 0, kNoProperties}},
    {CT_CODE_EDITOR, "Code Editor", kBorderKeywords, {kKeep, kKeep, 0, kClientEdge, kNoProperties}},
    {CT_COMBO, "Combo", kComboKeywords, {kKeep, kKeep, 0x200503, 0, kNoProperties}},
    {CT_EDIT, "Edit", kEditKeywords, {kKeep, 20, 0x800080, 0, kNoProperties}},
    {CT_EDIT_IP, "Edit IP", kNoKeywords, {kKeep, 20, 0x800080, 0, kNoProperties}},
    {CT_EX_LIST, "Ex List", kExListKeywords, {kKeep, kKeep, 0x800004, 0, kNoProperties}},
    {CT_GROUP, "Group", kGroupKeywords, {kKeep, kKeep, 0, 0, kNoProperties}},
    {CT_IMAGE_EDITOR, "Image Editor", kBorderKeywords, {kKeep, kKeep, 0, kClientEdge, kNoProperties}},
    {CT_LIST, "List", kListKeywords, {kKeep, kKeep, 0xA00102, 0, kNoProperties}},
    {CT_MEDIA, "Media", kNoKeywords, {kKeep, kKeep, 0, kClientEdge, kNoProperties}},
    {CT_PANEL, "Panel", kBorderKeywords, {kKeep, kKeep, 0, 0, kNoProperties}},
    {CT_PROGRESS, "Progress", kProgressKeywords, {kKeep, 20, 0, 0, kProgressProperties}},
    {CT_PROPERTY, "Property", kBorderKeywords, {kKeep, kKeep, 0, kClientEdge, kPropertyProperties}},
    {CT_RADIO, "Radio", kBorderKeywords, {kKeep, 20, 0, 0, kRadioProperties}},
    {CT_RICH_EDIT, "Rich Edit", kRichEditKeywords, {kKeep, kKeep, 0xB000C4, 0, kNoProperties}},
    {CT_SCROLL, "Scroll", kScrollKeywords, {kKeep, ControlTypeTable::kSystemScrollHeight, 0, 0, kScrollProperties}},
    {CT_SLIDER, "Slider", kSliderKeywords, {kKeep, 25, 0, 0, kSliderProperties}},
    {CT_SOUND_EDITOR, "Sound Editor", kBorderKeywords, {kKeep, kKeep, 0, kClientEdge, kNoProperties}},
    {CT_SPLIT, "Split", kBorderKeywords, {kKeep, kKeep, 0, kClientEdge, kSplitProperties}},
    {CT_TAB, "Tab", kNoKeywords, {kKeep, kKeep, 0, 0, kTabProperties}},
    {CT_TAB_DOC, "Tab Doc", kBorderKeywords, {kKeep, kKeep, 0, 0, kTabDocProperties}},
    {CT_TEXT, "Text", kBorderKeywords, {kKeep, 20, 0, 0, kTextProperties}},
    {CT_TREE, "Tree", kTreeKeywords, {kKeep, kKeep, 0x7, kClientEdge, kNoProperties}},
    {CT_VISUALIZATION, "Visualization", kNoKeywords, {kKeep, kKeep, 0, 0, kNoProperties}},
    {CT_VOLUME, "Volume", kBorderKeywords, {40, kKeep, 0, kClientEdge, kVolumeProperties}},
};

}  // namespace

const StyleKeyword kCommonStyleKeywords[] = {{"WS_VISIBLE", 0x10000000, false},
                                             {"WS_DISABLED", 0x08000000, false},
                                             {nullptr, 0, false}};

const ControlTypeInfo* ControlTypeTable::Find(int number) const {
    if (number < 0 || number >= CT_COUNT)
        return nullptr;
    return &kTypes[number];
}

const ControlTypeInfo* ControlTypeTable::FindByName(const char* displayName) const {
    if (!displayName)
        return nullptr;
    for (const ControlTypeInfo& type : kTypes) {
        if (String(type.displayName).CompareNoCase(displayName) == 0)
            return &type;
    }
    return nullptr;
}

const ControlTypeInfo& ControlTypeTable::At(int index) const {
    return kTypes[index];
}

String ControlTypeTable::SectionName(const ControlTypeInfo& type) {
    return String("[") + String(type.displayName).Upper().Text() + "]";
}
