// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_certificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace pw::test {
namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Certificate = std::unique_ptr<X509, decltype(&X509_free)>;

Key newKey() { return Key(EVP_EC_gen("P-256"), &EVP_PKEY_free); }

void addExtension(X509* certificate, X509* issuer, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (!extension)
        throw std::runtime_error("certificate extension rejected");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

// A certificate for `key` named `commonName`, valid from an hour ago for thirty days.
Certificate newCertificate(EVP_PKEY* key, const std::string& commonName, long serial)
{
    Certificate certificate(X509_new(), &X509_free);
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 30L * 24 * 3600);
    X509_set_pubkey(certificate.get(), key);
    X509_NAME_add_entry_by_txt(X509_get_subject_name(certificate.get()), "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
    return certificate;
}

std::string pemOf(X509* certificate)
{
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, certificate);
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    std::string pem(data, static_cast<std::size_t>(size));
    BIO_free(bio);
    return pem;
}

std::string pemOf(EVP_PKEY* key)
{
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr);
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    std::string pem(data, static_cast<std::size_t>(size));
    BIO_free(bio);
    return pem;
}

} // namespace

struct TestCertificateAuthority::Parts {
    Key key{nullptr, &EVP_PKEY_free};
    Certificate certificate{nullptr, &X509_free};
    mutable long nextSerial = 2;
};

TestCertificateAuthority::TestCertificateAuthority(const std::string& commonName) : parts_(std::make_unique<Parts>())
{
    parts_->key = newKey();
    parts_->certificate = newCertificate(parts_->key.get(), commonName, 1);
    X509* ca = parts_->certificate.get();
    X509_set_issuer_name(ca, X509_get_subject_name(ca));
    addExtension(ca, ca, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(ca, ca, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(ca, ca, NID_subject_key_identifier, "hash");
    X509_sign(ca, parts_->key.get(), EVP_sha256());
}

TestCertificateAuthority::~TestCertificateAuthority() = default;

std::string TestCertificateAuthority::certificatePem() const { return pemOf(parts_->certificate.get()); }

TlsIdentity TestCertificateAuthority::issueServer(const std::vector<std::string>& subjectAltNames) const
{
    const Key key = newKey();
    const Certificate certificate = newCertificate(key.get(), "loopback test server", parts_->nextSerial++);
    X509* ca = parts_->certificate.get();
    X509_set_issuer_name(certificate.get(), X509_get_subject_name(ca));
    std::string names;
    for (const auto& name : subjectAltNames)
        names += (names.empty() ? "" : ",") + name;
    addExtension(certificate.get(), ca, NID_basic_constraints, "critical,CA:FALSE");
    addExtension(certificate.get(), ca, NID_key_usage, "critical,digitalSignature");
    addExtension(certificate.get(), ca, NID_ext_key_usage, "serverAuth");
    addExtension(certificate.get(), ca, NID_authority_key_identifier, "keyid:always");
    addExtension(certificate.get(), ca, NID_subject_alt_name, names.c_str());
    X509_sign(certificate.get(), parts_->key.get(), EVP_sha256());
    return {pemOf(certificate.get()), pemOf(key.get())};
}

} // namespace pw::test
