// DialogDefinition: the control list and the rule that keeps control ids and names unique.
#include <cstring>

#include "toolkit/dialogdef/ControlDefinition.h"

namespace {

constexpr int kMaxGenerated = 9999;

String WithoutSpaces(const char* text) {
    String result;
    for (; *text; text++) {
        if (*text != ' ')
            result += *text;
    }
    return result;
}

// The number n when name is prefix followed by the decimal digits of n (no leading zero).
int GeneratedNumber(const char* name, const String& prefix) {
    if (strncmp(name, prefix.Text(), prefix.Length()) != 0)
        return -1;
    const char* digits = name + prefix.Length();
    if (*digits < '1' || *digits > '9')
        return -1;
    int number = 0;
    for (; *digits; digits++) {
        if (*digits < '0' || *digits > '9' || number > kMaxGenerated)
            return -1;
        number = number * 10 + (*digits - '0');
    }
    return number;
}

}  // namespace

void DialogDefinition::Clear() {
    delete dialog_;
    dialog_ = nullptr;
    for (int i = 0; i < controls_.Count(); i++)
        delete controls_[i];
    controls_.Free();
    loaded_ = false;
}

bool DialogDefinition::IsIdUsed(int id, const ControlDefinition* except) const {
    for (int i = 0; i < controls_.Count(); i++) {
        if (controls_[i] != except && controls_[i]->id == id)
            return true;
    }
    return false;
}

bool DialogDefinition::IsNameUsed(const char* name, const ControlDefinition* except) const {
    for (int i = 0; i < controls_.Count(); i++) {
        if (controls_[i] != except && strcmp(controls_[i]->name.Text(), name) == 0)
            return true;
    }
    return false;
}

int DialogDefinition::SmallestFreeId() const {
    // One pass marks the ids in use, so adding stays linear in the number of controls.
    static_assert(kMaxControls < kMaxGenerated, "a free id must always exist");
    Array<uint8_t> used;
    used.SetSize(kMaxGenerated + 1, false);
    memset(used.Data(), 0, kMaxGenerated + 1);
    for (int i = 0; i < controls_.Count(); i++) {
        const int id = controls_[i]->id;
        if (id >= 1 && id <= kMaxGenerated)
            used[id] = 1;
    }
    for (int id = 1; id <= kMaxGenerated; id++) {
        if (!used[id])
            return id;
    }
    return 0;
}

String DialogDefinition::GenerateName(const ControlTypeInfo& type) const {
    const String prefix = WithoutSpaces(type.displayName);
    Array<uint8_t> used;
    used.SetSize(kMaxGenerated + 1, false);
    memset(used.Data(), 0, kMaxGenerated + 1);
    for (int i = 0; i < controls_.Count(); i++) {
        const int number = GeneratedNumber(controls_[i]->name, prefix);
        if (number >= 1 && number <= kMaxGenerated)
            used[number] = 1;
    }
    for (int number = 1; number <= kMaxGenerated; number++) {
        if (!used[number]) {
            String name;
            name.Format("%s%d", prefix.Text(), number);
            return name;
        }
    }
    return String("");
}

ControlDefinition* DialogDefinition::AddControlDefinition(const ControlDefinition* record, bool isNew, bool checkName) {
    if (!record || controls_.Count() >= kMaxControls || controls_.Find(const_cast<ControlDefinition*>(record)) >= 0)
        return nullptr;
    const ControlTypeInfo* type = types_.Find(record->type);
    if (!type)
        return nullptr;
    ControlDefinition* control = new ControlDefinition(*record);
    control->isDialog = false;
    if (isNew || IsIdUsed(control->id, nullptr))
        control->id = static_cast<int16_t>(SmallestFreeId());
    if (!checkName || IsNameUsed(control->name, nullptr))
        control->name = GenerateName(*type);
    if (isNew) {
        const NewControlDefaults& defaults = type->defaults;
        control->caption = type->displayName;
        control->style |= 0x10000000 | defaults.style;  // WS_VISIBLE
        control->exStyle |= defaults.exStyle;
        if (defaults.width >= 0)
            control->width = defaults.width;
        if (defaults.height == ControlTypeTable::kSystemScrollHeight)
            control->height = static_cast<int16_t>(SystemScrollBarHeight());
        else if (defaults.height >= 0)
            control->height = defaults.height;
        for (const PropertyDefault* line = defaults.properties; line && line->key; line++)
            control->SetProperty(line->key, line->value);
    }
    controls_.Append(control);
    return control;
}
