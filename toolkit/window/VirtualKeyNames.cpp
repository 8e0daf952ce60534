// The virtual-key name table: 256 names indexed by virtual-key code ("LBUTTON", "RETURN",
// "ESCAPE", letters and digits as themselves; codes without a key have an empty name). It is
// built once, whichever thread asks first, and only read afterwards.
#include <cstdio>

#include "toolkit/window/Lock.h"
#include "toolkit/window/Toolkit.h"

namespace {

struct KeyName {
    unsigned char code;
    const char* name;
};

const KeyName kKeyNames[] = {
    {0x01, "LBUTTON"},   {0x02, "RBUTTON"},    {0x03, "CANCEL"},     {0x04, "MBUTTON"},    {0x05, "XBUTTON1"},
    {0x06, "XBUTTON2"},  {0x08, "BACK"},       {0x09, "TAB"},        {0x0C, "CLEAR"},      {0x0D, "RETURN"},
    {0x10, "SHIFT"},     {0x11, "CONTROL"},    {0x12, "MENU"},       {0x13, "PAUSE"},      {0x14, "CAPITAL"},
    {0x15, "KANA"},      {0x17, "JUNJA"},      {0x18, "FINAL"},      {0x19, "KANJI"},      {0x1B, "ESCAPE"},
    {0x1C, "CONVERT"},   {0x1D, "NONCONVERT"}, {0x1E, "ACCEPT"},     {0x1F, "MODECHANGE"}, {0x20, "SPACE"},
    {0x21, "PRIOR"},     {0x22, "NEXT"},       {0x23, "END"},        {0x24, "HOME"},       {0x25, "LEFT"},
    {0x26, "UP"},        {0x27, "RIGHT"},      {0x28, "DOWN"},       {0x29, "SELECT"},     {0x2A, "PRINT"},
    {0x2B, "EXECUTE"},   {0x2C, "SNAPSHOT"},   {0x2D, "INSERT"},     {0x2E, "DELETE"},     {0x2F, "HELP"},
    {0x5B, "LWIN"},      {0x5C, "RWIN"},       {0x5D, "APPS"},       {0x5F, "SLEEP"},      {0x6A, "MULTIPLY"},
    {0x6B, "ADD"},       {0x6C, "SEPARATOR"},  {0x6D, "SUBTRACT"},   {0x6E, "DECIMAL"},    {0x6F, "DIVIDE"},
    {0x90, "NUMLOCK"},   {0x91, "SCROLL"},     {0xA0, "LSHIFT"},     {0xA1, "RSHIFT"},     {0xA2, "LCONTROL"},
    {0xA3, "RCONTROL"},  {0xA4, "LMENU"},      {0xA5, "RMENU"},      {0xBA, "OEM_1"},      {0xBB, "OEM_PLUS"},
    {0xBC, "OEM_COMMA"}, {0xBD, "OEM_MINUS"},  {0xBE, "OEM_PERIOD"}, {0xBF, "OEM_2"},      {0xC0, "OEM_3"},
    {0xDB, "OEM_4"},     {0xDC, "OEM_5"},      {0xDD, "OEM_6"},      {0xDE, "OEM_7"},      {0xDF, "OEM_8"},
    {0xE2, "OEM_102"},   {0xE5, "PROCESSKEY"}, {0xF6, "ATTN"},       {0xF7, "CRSEL"},      {0xF8, "EXSEL"},
    {0xF9, "EREOF"},     {0xFA, "PLAY"},       {0xFB, "ZOOM"},       {0xFD, "PA1"},        {0xFE, "OEM_CLEAR"},
};

CriticalSection fillLock;
StringList names;
volatile LONG filled = 0;

void Fill() {
    char table[256][12] = {};
    for (int code = '0'; code <= '9'; code++)
        table[code][0] = static_cast<char>(code);
    for (int code = 'A'; code <= 'Z'; code++)
        table[code][0] = static_cast<char>(code);
    for (int n = 0; n <= 9; n++)
        snprintf(table[0x60 + n], sizeof(table[0]), "NUMPAD%d", n);
    for (int n = 1; n <= 24; n++)
        snprintf(table[0x6F + n], sizeof(table[0]), "F%d", n);
    for (const KeyName& key : kKeyNames)
        snprintf(table[key.code], sizeof(table[0]), "%s", key.name);
    for (const char* name : table)
        names.AddString(name);
}

}  // namespace

const StringList& GetVirtualKeyNames() {
    if (InterlockedCompareExchange(&filled, 0, 0))
        return names;
    ScopedLock lock(fillLock);
    if (!filled) {
        Fill();
        InterlockedExchange(&filled, 1);
    }
    return names;
}

void ReleaseVirtualKeyNames() {
    ScopedLock lock(fillLock);
    names.Free();
    InterlockedExchange(&filled, 0);
}
