// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Certificates made in the test process with OpenSSL, for HTTPS servers on loopback: a test
// certificate authority and server certificates it (or another authority) signs. Nothing is
// fetched or run outside the process.

#include <memory>
#include <string>
#include <vector>

namespace pw::test {

// A certificate and its private key, both PEM.
struct TlsIdentity {
    std::string certificatePem;
    std::string privateKeyPem;
};

class TestCertificateAuthority {
public:
    explicit TestCertificateAuthority(const std::string& commonName = "Plugwright Test CA");
    ~TestCertificateAuthority();
    TestCertificateAuthority(const TestCertificateAuthority&) = delete;
    TestCertificateAuthority& operator=(const TestCertificateAuthority&) = delete;

    std::string certificatePem() const;
    // A server certificate for these names: "DNS:localhost", "IP:127.0.0.1", ...
    TlsIdentity issueServer(const std::vector<std::string>& subjectAltNames) const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace pw::test
