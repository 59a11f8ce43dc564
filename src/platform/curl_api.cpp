// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/curl_api.h"

#include <dlfcn.h>

#include <mutex>

// The library file of the libcurl the build found (CMake passes its soname).
#ifndef PLUGWRIGHT_CURL_SONAME
#define PLUGWRIGHT_CURL_SONAME "libcurl.so.4"
#endif

namespace pw {
namespace {

// The kind of argument an option takes: its number's range (CURLOPTTYPE_*).
bool takesLong(CURLoption option) { return option < CURLOPTTYPE_OBJECTPOINT; }
bool takesPointer(CURLoption option)
{
    return option >= CURLOPTTYPE_OBJECTPOINT && option < CURLOPTTYPE_FUNCTIONPOINT;
}
bool takesFunction(CURLoption option)
{
    return option >= CURLOPTTYPE_FUNCTIONPOINT && option < CURLOPTTYPE_OFF_T;
}

template <typename Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

struct CurlLoader {
    static bool load(CurlApi& api)
    {
        void* library = dlopen(PLUGWRIGHT_CURL_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        const bool found = resolve(library, "curl_global_init", api.globalInit_) &&
                           resolve(library, "curl_easy_init", api.easyInit_) &&
                           resolve(library, "curl_easy_setopt", api.easySetopt_) &&
                           resolve(library, "curl_easy_perform", api.easyPerform_) &&
                           resolve(library, "curl_easy_getinfo", api.easyGetinfo_) &&
                           resolve(library, "curl_easy_cleanup", api.easyCleanup_) &&
                           resolve(library, "curl_easy_strerror", api.easyStrerror_);
        // libcurl stays loaded for the rest of the process, as a linked library would.
        return found && api.globalInit_(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    }
};

const CurlApi* CurlApi::get()
{
    static CurlApi api;
    static bool loaded = false;
    static std::once_flag once;
    std::call_once(once, [] { loaded = CurlLoader::load(api); });
    return loaded ? &api : nullptr;
}

void CurlHandleCleanup::operator()(CURL* handle) const { api->easyCleanup_(handle); }

CurlHandle CurlApi::init() const { return CurlHandle(easyInit_(), CurlHandleCleanup{this}); }

CURLcode CurlApi::setopt(CURL* handle, CURLoption option, long value) const
{
    return takesLong(option) ? easySetopt_(handle, option, value) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::setopt(CURL* handle, CURLoption option, const char* text) const
{
    return takesPointer(option) ? easySetopt_(handle, option, text) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::setopt(CURL* handle, CURLoption option, void* data) const
{
    return takesPointer(option) ? easySetopt_(handle, option, data) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::setopt(CURL* handle, CURLoption option, curl_write_callback callback) const
{
    return takesFunction(option) ? easySetopt_(handle, option, callback) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::setopt(CURL* handle, CURLoption option, curl_xferinfo_callback callback) const
{
    return takesFunction(option) ? easySetopt_(handle, option, callback) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::perform(CURL* handle) const { return easyPerform_(handle); }

CURLcode CurlApi::getinfo(CURL* handle, CURLINFO info, long* value) const
{
    return (info & CURLINFO_TYPEMASK) == CURLINFO_LONG ? easyGetinfo_(handle, info, value)
                                                        : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode CurlApi::getinfoOffT(CURL* handle, CURLINFO info, curl_off_t* value) const
{
    return (info & CURLINFO_TYPEMASK) == CURLINFO_OFF_T ? easyGetinfo_(handle, info, value)
                                                         : CURLE_BAD_FUNCTION_ARGUMENT;
}

const char* CurlApi::strerror(CURLcode code) const { return easyStrerror_(code); }

} // namespace pw
