// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The functions of libcurl that the downloads call, loaded when the first download starts.
//
// libcurl brings some thirty libraries with it (TLS, Kerberos, LDAP, SSH, ...). Linked into the
// programs, they would be loaded by every start of plugwright-cli, which mostly works on codeplug
// files and never downloads. So no program links libcurl: CurlApi::get() loads it once and keeps
// its functions in a table of our own, through which every call goes. Nothing of ours takes
// libcurl's own names.
//
// curl_easy_setopt takes one argument after the option, of the type the option's number says; each
// setopt overload passes one type, and refuses an option of another type with
// CURLE_BAD_FUNCTION_ARGUMENT before libcurl could read the argument wrongly.

#include <curl/curl.h>

#include <memory>

namespace pw {

class CurlApi;

// Cleans up an easy handle through the table that made it.
struct CurlHandleCleanup {
    const CurlApi* api = nullptr;
    void operator()(CURL* handle) const;
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleCleanup>;

class CurlApi {
public:
    // libcurl, loaded and globally initialised at the first call; nothing when it cannot be loaded.
    static const CurlApi* get();

    // A new easy handle (curl_easy_init); empty when libcurl could not make one.
    CurlHandle init() const;

    CURLcode setopt(CURL* handle, CURLoption option, long value) const;
    // Texts and pointers to our own data (CURLOPT_URL, CURLOPT_WRITEDATA, CURLOPT_ERRORBUFFER, ...).
    CURLcode setopt(CURL* handle, CURLoption option, const char* text) const;
    CURLcode setopt(CURL* handle, CURLoption option, void* data) const;
    CURLcode setopt(CURL* handle, CURLoption option, curl_write_callback callback) const;
    CURLcode setopt(CURL* handle, CURLoption option, curl_xferinfo_callback callback) const;

    CURLcode perform(CURL* handle) const;
    CURLcode getinfo(CURL* handle, CURLINFO info, long* value) const;
    // The sizes and lengths (CURLINFO_..._T). Named apart: curl_off_t may be the type of long.
    CURLcode getinfoOffT(CURL* handle, CURLINFO info, curl_off_t* value) const;
    const char* strerror(CURLcode code) const;

private:
    friend struct CurlHandleCleanup;
    friend struct CurlLoader;

    CURLcode (*globalInit_)(long) = nullptr;
    CURL* (*easyInit_)() = nullptr;
    CURLcode (*easySetopt_)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyPerform_)(CURL*) = nullptr;
    CURLcode (*easyGetinfo_)(CURL*, CURLINFO, ...) = nullptr;
    void (*easyCleanup_)(CURL*) = nullptr;
    const char* (*easyStrerror_)(CURLcode) = nullptr;
};

} // namespace pw
