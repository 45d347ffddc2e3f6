#include "tools/fake-services/test_certificates.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>

namespace lt::fake {

namespace {

struct Free {
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
    void operator()(X509* p) const { X509_free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, Free>;
using Cert = std::unique_ptr<X509, Free>;

Key new_key()
{
    return Key(EVP_EC_gen("P-256"));
}

bool add_extension(X509* cert, X509* issuer, int nid, const char* value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

// A certificate for subject's key, valid from a minute ago for two days,
// signed by issuer_key (issuer null: self-signed).
Cert new_cert(EVP_PKEY* key, const char* common_name, long serial, X509* issuer, EVP_PKEY* issuer_key)
{
    Cert cert(X509_new());
    if (!cert || X509_set_version(cert.get(), 2) != 1)
        return nullptr;
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -60);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 2 * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(
        name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("fake-services"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(
        name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(common_name), -1, -1, 0);
    X509_set_issuer_name(cert.get(), issuer ? X509_get_subject_name(issuer) : name);
    X509* signer = issuer ? issuer : cert.get();
    bool ok = add_extension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (issuer) {
        ok = ok && add_extension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE") &&
            add_extension(cert.get(), signer, NID_key_usage, "critical,digitalSignature") &&
            add_extension(cert.get(), signer, NID_ext_key_usage, "serverAuth") &&
            add_extension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost") &&
            add_extension(cert.get(), signer, NID_authority_key_identifier, "keyid");
    } else {
        ok = ok && add_extension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE") &&
            add_extension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    }
    if (!ok || X509_sign(cert.get(), issuer_key ? issuer_key : key, EVP_sha256()) == 0)
        return nullptr;
    return cert;
}

bool write_pem(const std::string& path, X509* cert, EVP_PKEY* key)
{
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    bool ok =
        cert ? PEM_write_X509(f, cert) == 1 : PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

} // namespace

bool make_test_certificates(const std::string& dir, TestCertificates& out, std::string* error)
{
    auto fail = [&](const std::string& what) {
        if (error) {
            char text[256] = "";
            ERR_error_string_n(ERR_get_error(), text, sizeof text);
            *error = what + (text[0] ? std::string(": ") + text : std::string());
        }
        return false;
    };
    Key ca_key = new_key();
    Key server_key = new_key();
    if (!ca_key || !server_key)
        return fail("cannot make a key");
    Cert ca = new_cert(ca_key.get(), "fake-services test CA", 1, nullptr, nullptr);
    if (!ca)
        return fail("cannot make the CA certificate");
    Cert server = new_cert(server_key.get(), "127.0.0.1", 2, ca.get(), ca_key.get());
    if (!server)
        return fail("cannot make the server certificate");
    out.ca_cert = dir + "/ca.pem";
    out.server_cert = dir + "/server.pem";
    out.server_key = dir + "/server.key";
    if (!write_pem(out.ca_cert, ca.get(), nullptr) || !write_pem(out.server_cert, server.get(), nullptr) ||
        !write_pem(out.server_key, nullptr, server_key.get()))
        return fail("cannot write the certificates into " + dir);
    return true;
}

} // namespace lt::fake
