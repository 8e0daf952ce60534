// The 27 control types of dialog definitions: their numbers and display names (the section
// names of the file), the style keywords each type understands in its STYLE and EXSTYLE
// lines, and the values a control receives when a dialog editor adds it new.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

enum ControlType : int16_t {
    CT_NONE = -1,
    CT_DIALOG = 0,
    CT_BUTTON,
    CT_CHECK,
    CT_CODE_EDITOR,
    CT_COMBO,
    CT_EDIT,
    CT_EDIT_IP,
    CT_EX_LIST,
    CT_GROUP,
    CT_IMAGE_EDITOR,
    CT_LIST,
    CT_MEDIA,
    CT_PANEL,
    CT_PROGRESS,
    CT_PROPERTY,
    CT_RADIO,
    CT_RICH_EDIT,
    CT_SCROLL,
    CT_SLIDER,
    CT_SOUND_EDITOR,
    CT_SPLIT,
    CT_TAB,
    CT_TAB_DOC,
    CT_TEXT,
    CT_TREE,
    CT_VISUALIZATION,
    CT_VOLUME,
    CT_COUNT
};

struct StyleKeyword {
    const char* name;
    uint32_t value;
    bool extended;  // written in the EXSTYLE line (both lines recognise every keyword)
};

// A property line a new control receives.
struct PropertyDefault {
    const char* key;
    const char* value;
};

struct NewControlDefaults {
    int16_t width, height;  // -1: keep the record's value
    uint32_t style, exStyle;
    const PropertyDefault* properties;  // ends with a null key
};

struct ControlTypeInfo {
    int16_t number;
    const char* displayName;
    const StyleKeyword* keywords;  // ends with a null name
    NewControlDefaults defaults;
};

// Every type understands these two in its STYLE line, before its own keywords.
extern const StyleKeyword kCommonStyleKeywords[];

class ControlTypeTable {
public:
    // A default height that stands for the system's horizontal scroll bar height.
    static constexpr int16_t kSystemScrollHeight = -2;

    int Count() const { return CT_COUNT; }
    // The entry of a type number, or none.
    const ControlTypeInfo* Find(int number) const;
    // The entry whose display name equals the text without regard to case, or none.
    const ControlTypeInfo* FindByName(const char* displayName) const;
    const ControlTypeInfo& At(int index) const;
    // The section name: the display name in upper case.
    static String SectionName(const ControlTypeInfo& type);
};

// The system's horizontal scroll bar height in pixels, which kSystemScrollHeight stands for
// (ScrollBarHeightWin32.cpp asks the system; elsewhere Windows' standard 17).
int SystemScrollBarHeight();
