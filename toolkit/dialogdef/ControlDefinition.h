// ControlDefinition: one section of a dialog definition, the record of the dialog itself or
// of one control, with its type-specific settings kept as property lines ("KEY=value" and
// CR LF each). DialogDefinition: the parsed file, the dialog record and the control records
// in file order (which is also the order in which a dialog creates its controls).
#pragma once

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/Stream.h"
#include "toolkit/base/String.h"
#include "toolkit/dialogdef/ControlTypes.h"

class ControlDefinition {
public:
    enum SectionResult { kSectionRead, kSectionEnd, kSectionError };

    ControlDefinition() = default;
    ControlDefinition(const ControlDefinition& other) { Copy(other); }
    ControlDefinition& operator=(const ControlDefinition& other) {
        Copy(other);
        return *this;
    }
    void Copy(const ControlDefinition& other);

    // Reads one section from the stream's position. kSectionRead gives the bytes consumed in
    // consumed; kSectionEnd when the section line names no type; kSectionError for a key line
    // without "=" or a line too long to be a definition's.
    SectionResult ReadSection(Stream* stream, const ControlTypeTable& types, int* consumed = nullptr);
    bool WriteSection(Stream* stream, const ControlTypeTable& types) const;

    String GetProperty(const char* key) const;
    int GetPropertyInt(const char* key) const;
    void SetProperty(const char* key, const char* value);
    void SetPropertyInt(const char* key, int value);

    // which: 0 the style word, 1 the extended style word.
    void KeywordsToStyle(int which, const char* text);
    String StyleToKeywords(int which) const;

    int16_t id = 0;
    int16_t type = CT_NONE;
    String name;
    String caption;
    String fontName;
    int16_t fontSize = 0;
    uint32_t fontFlags = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
    int16_t x = 10, y = 10, width = 150, height = 150;
    bool locked = false;
    bool isDialog = false;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t backColor = 0xFF000000;
    uint32_t textColor = 0xFF000000;
    bool transparent = false;
    String properties;

    // Longest line a definition may hold; anything longer is not a definition.
    static constexpr int kMaxLineBytes = 65536;

private:
    void ReadKeyLine(const String& key, const String& value);
};

class DialogDefinition {
public:
    DialogDefinition() = default;
    ~DialogDefinition() { Clear(); }
    DialogDefinition(const DialogDefinition&) = delete;
    DialogDefinition& operator=(const DialogDefinition&) = delete;

    static constexpr const char* kHeader = "DIALOG EDITOR v1.00";
    // Reading refuses texts beyond these bounds, so no input can make it allocate or work
    // without limit.
    static constexpr int kMaxControls = 2000;
    static constexpr int kMaxDefinitionBytes = 4 * 1024 * 1024;

    bool ReadDefinition(Stream* stream, const char* header = kHeader);
    bool WriteDefinition(Stream* stream, const char* header = kHeader) const;
    // Appends a copy of the record as a control, with a unique id and name; none when the
    // record is already in the list, its type is unknown, or the list is full.
    ControlDefinition* AddControlDefinition(const ControlDefinition* record, bool isNew, bool checkName);
    void Clear();

    // After a failed read: why, and the stream position just past the line at fault.
    const char* FailureReason() const { return failureReason_; }
    int FailureOffset() const { return failureOffset_; }

    ControlDefinition* Dialog() const { return dialog_; }
    int ControlCount() const { return controls_.Count(); }
    ControlDefinition* Control(int index) const { return controls_[index]; }
    bool IsLoaded() const { return loaded_; }
    const ControlTypeTable& Types() const { return types_; }

private:
    bool IsIdUsed(int id, const ControlDefinition* except) const;
    bool IsNameUsed(const char* name, const ControlDefinition* except) const;
    int SmallestFreeId() const;
    String GenerateName(const ControlTypeInfo& type) const;

    ControlTypeTable types_;
    ControlDefinition* dialog_ = nullptr;
    Array<ControlDefinition*> controls_;
    bool Fail(Stream* stream, const char* reason);

    bool loaded_ = false;
    const char* failureReason_ = nullptr;
    int failureOffset_ = 0;
};
