// Stand-ins for the editor control types that dialog definitions can name (code, image and
// sound editors, panel, property grid, split, tab documents, volume): toolkit windows that
// take and keep the settings a definition gives them. The editors' own behaviour is not
// part of this program; these let any definition build and round-trip its settings.
#pragma once

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/window/Window.h"

// Code, image and sound editors: hold the resource a definition names as their content.
class ContentEditorWindow : public Window {
public:
    bool LoadContent(Stream& source);
    const MemoryStream& Content() const { return content_; }

private:
    MemoryStream content_;
};

class PanelWindow : public Window {};

class PropertyGridWindow : public Window {
public:
    bool french = false;
};

class SplitWindow : public Window {
public:
    uint32_t childBackColor = 0xFF000000;
    int rows = 1;
    int columns = 2;
};

class TabDocWindow : public Window {
public:
    enum { kBack, kBackSelected, kText, kTextSelected, kWindowBack, kColorCount };
    uint32_t colors[kColorCount] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    bool closeButtons = true;
    bool movablePages = true;
    StringList pages;
    int selection = 0;
};

class VolumeWindow : public Window {
public:
    enum { kBack, kLow, kHigh, kColorCount };
    uint32_t colors[kColorCount] = {0xFF000000, 0xFF000000, 0xFF000000};
    bool horizontal = false;
    bool ticks = true;
    int channels = 1;
    int minimum = 0;
    int maximum = 1000;
    int value = 0;
};
