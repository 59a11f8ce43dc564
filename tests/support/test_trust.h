// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test certificate authority that the downloads of a test build trust: its certificate is written
// to a file named by PLUGWRIGHT_TEST_CA_FILE for the life of the object (builds made with
// -DPLUGWRIGHT_TEST_CA_HOOK=ON read it; other builds skip the tests that need it).

#include "support/test_certificates.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>

namespace pw::test {

#ifdef PLUGWRIGHT_TEST_CA_HOOK
inline constexpr bool TestTrustAvailable = true;
#else
inline constexpr bool TestTrustAvailable = false;
#endif

class TrustedTestAuthority {
public:
    TrustedTestAuthority()
    {
        std::ofstream(dir_.file("ca.pem")) << authority_.certificatePem();
        ::setenv("PLUGWRIGHT_TEST_CA_FILE", dir_.file("ca.pem").c_str(), 1);
    }
    ~TrustedTestAuthority() { ::unsetenv("PLUGWRIGHT_TEST_CA_FILE"); }

    // A certificate for the loopback server under both of its names.
    TlsIdentity loopbackServer() const { return authority_.issueServer({"DNS:localhost", "IP:127.0.0.1"}); }
    const TestCertificateAuthority& authority() const { return authority_; }

private:
    TempDir dir_;
    TestCertificateAuthority authority_;
};

} // namespace pw::test
