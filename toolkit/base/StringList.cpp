// StringList: owning list of String pointers.
#include "toolkit/base/Array.h"

StringList& StringList::operator=(const StringList& other) {
    if (this != &other)
        Assign(other);
    return *this;
}

StringList::~StringList() {
    // The base destructor cannot reach the override, so the strings go here.
    DestroyElements(0, Count());
}

void StringList::DestroyElements(int first, int n) {
    for (int i = first; i < first + n; i++) {
        delete (*this)[i];
        (*this)[i] = nullptr;
    }
}

void StringList::CopyElement(String** slot, String* const& source, void*) {
    *slot = new String(source ? *source : String(""));
}

int StringList::Compare(String* const& element, String* const& value, void* argument) const {
    const char* text = value ? value->Text() : "";
    const bool caseSensitive = !argument || *static_cast<const bool*>(argument);
    const int order = caseSensitive ? element->Compare(text) : element->CompareNoCase(text);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int StringList::AddString(const char* text, int position, int copies) {
    String value(text);
    return InsertAt(&value, position, copies);
}

int StringList::FindText(const char* text, bool caseSensitive, int start) const {
    String value(text);
    String* pointer = &value;
    return Find(pointer, start, &caseSensitive);
}
