// SPDX-License-Identifier: GPL-3.0-or-later
// The libcurl functions the downloads use, loaded when the first download starts.
//
// libcurl brings some thirty libraries with it (TLS, Kerberos, LDAP, SSH, ...). Linked into every
// program, they would be loaded by every start of plugwright-cli, which mostly works on codeplug
// files and never downloads: a tenth of a second of start-up spent on nothing. So the programs link
// these definitions instead, and the first call loads libcurl with dlopen and forwards to it. When
// libcurl cannot be loaded, curl_easy_init gives no handle and the download reports that.
//
// curl_easy_setopt and curl_easy_getinfo take one argument after the option, whose type the
// option's number says (libcurl's CURLOPTTYPE_* and CURLINFO_* ranges); it is passed on as that
// type.

#include <curl/curl.h>

#include <dlfcn.h>

#include <cstdarg>
#include <mutex>

// curl.h may turn curl_easy_setopt and curl_easy_getinfo into type-checking macros.
#undef curl_easy_setopt
#undef curl_easy_getinfo

namespace {

struct Library {
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*easySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyPerform)(CURL*) = nullptr;
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easyCleanup)(CURL*) = nullptr;
    const char* (*easyStrerror)(CURLcode) = nullptr;
    bool loaded = false;
};

template <typename Function>
bool resolve(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

const Library& library()
{
    static Library loaded;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        Library l;
        l.loaded = resolve(handle, "curl_global_init", l.globalInit) && resolve(handle, "curl_easy_init", l.easyInit) &&
                   resolve(handle, "curl_easy_setopt", l.easySetopt) &&
                   resolve(handle, "curl_easy_perform", l.easyPerform) &&
                   resolve(handle, "curl_easy_getinfo", l.easyGetinfo) &&
                   resolve(handle, "curl_easy_cleanup", l.easyCleanup) &&
                   resolve(handle, "curl_easy_strerror", l.easyStrerror);
        if (l.loaded)
            loaded = l;
    });
    return loaded;
}

} // namespace

extern "C" {

CURLcode curl_global_init(long flags)
{
    const auto& l = library();
    return l.loaded ? l.globalInit(flags) : CURLE_FAILED_INIT;
}

CURL* curl_easy_init()
{
    const auto& l = library();
    return l.loaded ? l.easyInit() : nullptr;
}

CURLcode curl_easy_setopt(CURL* curl, CURLoption option, ...)
{
    const auto& l = library();
    if (!l.loaded)
        return CURLE_FAILED_INIT;
    va_list arguments;
    va_start(arguments, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT)
        result = l.easySetopt(curl, option, va_arg(arguments, long));
    else if (option < CURLOPTTYPE_OFF_T)
        result = l.easySetopt(curl, option, va_arg(arguments, void*));  // objects and functions
    else if (option < CURLOPTTYPE_BLOB)
        result = l.easySetopt(curl, option, va_arg(arguments, curl_off_t));
    else
        result = l.easySetopt(curl, option, va_arg(arguments, void*));
    va_end(arguments);
    return result;
}

CURLcode curl_easy_getinfo(CURL* curl, CURLINFO info, ...)
{
    const auto& l = library();
    if (!l.loaded)
        return CURLE_FAILED_INIT;
    va_list arguments;
    va_start(arguments, info);
    // Every kind of information is returned through a pointer.
    const CURLcode result = l.easyGetinfo(curl, info, va_arg(arguments, void*));
    va_end(arguments);
    return result;
}

CURLcode curl_easy_perform(CURL* curl)
{
    const auto& l = library();
    return l.loaded ? l.easyPerform(curl) : CURLE_FAILED_INIT;
}

void curl_easy_cleanup(CURL* curl)
{
    const auto& l = library();
    if (l.loaded)
        l.easyCleanup(curl);
}

const char* curl_easy_strerror(CURLcode code)
{
    const auto& l = library();
    return l.loaded ? l.easyStrerror(code) : "libcurl could not be loaded";
}

} // extern "C"
