// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sample_database_server.h"

#include <string>

namespace pw::test {
namespace {

const std::string FirstBody = "\"3112345\",\"K0ABC\",\"John Smith\",\"Kansas City\",\"Missouri\",\"United States\",\"DMR\"\n"
                              "\"3112346\",\"W0XYZ\",\"Jane Doe\",\"Des Moines\",\"Iowa\",\"United States\",\"\"\n";
const std::string SecondBody = "\"3112345\",\"K0ABC\",\"Johnny\",\"Elsewhere\",\"Iowa\",\"United States\",\"\"\n"
                               "\"2620001\",\"DL1ABC\",\"Hans M\xFCller\",\"M\xFCnchen\",\"Bayern\",\"Germany\",\"\"\n";

} // namespace

LoopbackHttpServer sampleDatabaseServer()
{
    return LoopbackHttpServer([](const std::string& request, ServerConnection& connection) {
        if (request.rfind("GET /static/users_quoted.csv ", 0) == 0)
            connection.send(plainResponse(FirstBody));
        else if (request.rfind("GET /status/users_quoted.csv ", 0) == 0)
            connection.send(chunkedResponse(SecondBody, {20, 20}));
        else
            connection.send("HTTP/1.1 404 Not Found\r\n\r\n");
    });
}

} // namespace pw::test
