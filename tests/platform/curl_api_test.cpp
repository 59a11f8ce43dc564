// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/curl_api.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

// libcurl reads the argument after the option as the type the option's number says: an argument
// of another type is refused before libcurl could read it wrongly.
TEST(CurlApi, SetoptPassesOnlyTheTypeTheOptionTakes)
{
    const CurlApi* api = CurlApi::get();
    ASSERT_NE(api, nullptr) << "libcurl could not be loaded";
    const CurlHandle handle = api->init();
    ASSERT_TRUE(handle);
    CURL* curl = handle.get();
    char errorText[CURL_ERROR_SIZE] = {};
    const curl_write_callback write = [](char*, std::size_t, std::size_t count, void*) { return count; };
    const curl_xferinfo_callback progress = [](void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) { return 0; };

    EXPECT_EQ(api->setopt(curl, CURLOPT_FOLLOWLOCATION, 1L), CURLE_OK);
    EXPECT_EQ(api->setopt(curl, CURLOPT_URL, "http://127.0.0.1/"), CURLE_OK);
    EXPECT_EQ(api->setopt(curl, CURLOPT_ERRORBUFFER, errorText), CURLE_OK);
    EXPECT_EQ(api->setopt(curl, CURLOPT_WRITEDATA, static_cast<void*>(errorText)), CURLE_OK);
    EXPECT_EQ(api->setopt(curl, CURLOPT_WRITEFUNCTION, write), CURLE_OK);
    EXPECT_EQ(api->setopt(curl, CURLOPT_XFERINFOFUNCTION, progress), CURLE_OK);

    EXPECT_EQ(api->setopt(curl, CURLOPT_URL, 1L), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(api->setopt(curl, CURLOPT_FOLLOWLOCATION, "1"), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(api->setopt(curl, CURLOPT_WRITEFUNCTION, static_cast<void*>(errorText)), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(api->setopt(curl, CURLOPT_WRITEDATA, write), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(api->setopt(curl, CURLOPT_MAX_RECV_SPEED_LARGE, 1L), CURLE_BAD_FUNCTION_ARGUMENT);  // a curl_off_t

    long value = 0;
    EXPECT_EQ(api->getinfo(curl, CURLINFO_RESPONSE_CODE, &value), CURLE_OK);
    EXPECT_EQ(api->getinfo(curl, CURLINFO_EFFECTIVE_URL, &value), CURLE_BAD_FUNCTION_ARGUMENT);  // a text
    curl_off_t size = 0;
    EXPECT_EQ(api->getinfoOffT(curl, CURLINFO_SIZE_DOWNLOAD_T, &size), CURLE_OK);
    EXPECT_EQ(api->getinfoOffT(curl, CURLINFO_RESPONSE_CODE, &size), CURLE_BAD_FUNCTION_ARGUMENT);  // a long
}

} // namespace
} // namespace pw
