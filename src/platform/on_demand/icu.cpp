// SPDX-License-Identifier: GPL-3.0-or-later
// The ICU functions the transliteration uses, loaded when text first needs transliterating.
//
// ICU's libraries (and the C++ runtime they bring) would otherwise be loaded by every start of
// every program, though most runs never meet a character outside Latin-1. The programs link these
// definitions instead; the first call loads libicui18n with dlopen and forwards to it. ICU gives
// its functions a version suffix (utrans_openU_72): the names here are renamed by ICU's own header
// the same way, and looked up under that name. When ICU cannot be loaded, no transliterator is
// opened and the text keeps '?' for what it cannot hold.

#include <unicode/utrans.h>

#include <dlfcn.h>

#include <mutex>

#define PW_NAME_TEXT(name) #name
#define PW_RENAMED(name) PW_NAME_TEXT(name)

namespace {

struct Library {
    decltype(&utrans_openU) open = nullptr;
    decltype(&utrans_transUChars) transliterate = nullptr;
    decltype(&utrans_close) close = nullptr;
    bool loaded = false;
};

const Library& library()
{
    static Library loaded;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libicui18n.so." PW_RENAMED(U_ICU_VERSION_MAJOR_NUM), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        Library l;
        l.open = reinterpret_cast<decltype(l.open)>(dlsym(handle, PW_RENAMED(utrans_openU)));
        l.transliterate = reinterpret_cast<decltype(l.transliterate)>(dlsym(handle, PW_RENAMED(utrans_transUChars)));
        l.close = reinterpret_cast<decltype(l.close)>(dlsym(handle, PW_RENAMED(utrans_close)));
        l.loaded = l.open && l.transliterate && l.close;
        if (l.loaded)
            loaded = l;
    });
    return loaded;
}

} // namespace

extern "C" {

UTransliterator* utrans_openU(const UChar* id, int32_t idLength, UTransDirection dir, const UChar* rules,
                              int32_t rulesLength, UParseError* parseError, UErrorCode* pErrorCode)
{
    const auto& l = library();
    if (!l.loaded) {
        *pErrorCode = U_MISSING_RESOURCE_ERROR;
        return nullptr;
    }
    return l.open(id, idLength, dir, rules, rulesLength, parseError, pErrorCode);
}

void utrans_transUChars(const UTransliterator* trans, UChar* text, int32_t* textLength, int32_t textCapacity,
                        int32_t start, int32_t* limit, UErrorCode* status)
{
    const auto& l = library();
    if (!l.loaded) {
        *status = U_MISSING_RESOURCE_ERROR;
        return;
    }
    l.transliterate(trans, text, textLength, textCapacity, start, limit, status);
}

void utrans_close(UTransliterator* trans)
{
    const auto& l = library();
    if (l.loaded)
        l.close(trans);
}

} // extern "C"
