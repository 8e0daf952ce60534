// The control factory: turns one ControlDefinition into a live control object inside a
// parent window, with the type's Win32 or toolkit window and its settings applied. The
// Win32 id of every control is 0: controls are found by object, definition id or name.
#pragma once

#include <windows.h>

class ControlDefinition;
class DialogWindow;
class MemoryStream;
class Window;

// Where resources named in a definition (texts, images, editor content) come from.
class ResourceProvider {
public:
    virtual ~ResourceProvider() = default;
    // Replaces out's content with the named resource; false when there is none.
    virtual bool LoadResource(const char* name, MemoryStream& out) = 0;
};

// Loads the named resource of the provider as a picture; false when there is none.
class Image;
bool LoadResourceImage(ResourceProvider* provider, const char* name, Image& picture);

// Registers the common-control window classes (trackbar, progress, tab, list view, tree,
// IP address) once per process; the factory calls it before it creates any control.
bool RegisterCommonControls();

// The new control, or none (the object destroyed) when the parent or record is missing, the
// type has no class of its own and the owner supplies none, or the window cannot be made.
// live false builds a hidden preview.
Window* BuildControl(DialogWindow* owner,
                     HWND parent,
                     const ControlDefinition* record,
                     ResourceProvider* provider,
                     bool live);
