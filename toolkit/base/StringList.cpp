// StringList: owning list of String pointers.
#include "toolkit/base/Array.h"

StringList& StringList::operator=(const StringList& other) {
    if (this != &other)
        Assign(other);
    return *this;
}

StringList::~StringList() {
    DeleteAll();
}

void StringList::DeleteAll() {
    for (int i = 0; i < Count(); i++)
        delete (*this)[i];
}

void StringList::Assign(const Array<String*>& other) {
    if (&other == this)
        return;
    DeleteAll();
    SetSize(other.Count(), false);
    for (int i = 0; i < Count(); i++)
        CopyElement(&(*this)[i], other[i], nullptr);
}

void StringList::Free() {
    DeleteAll();
    Array<String*>::Free();
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

void StringList::RemoveAt(int index, int n) {
    if (index < 0 || index >= Count())
        return;
    if (n < 0 || n > Count() - index)
        n = Count() - index;
    if (n < 1)
        return;
    for (int i = index; i < index + n; i++)
        delete (*this)[i];
    RemoveSlots(index, n);
}

int StringList::FindText(const char* text, bool caseSensitive, int start) const {
    String value(text);
    String* pointer = &value;
    return Find(pointer, start, &caseSensitive);
}
