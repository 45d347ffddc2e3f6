#pragma once
// Certificates made on the spot for serving TLS on loopback: a new CA, and a
// certificate for 127.0.0.1 and localhost signed by it. Nothing here is
// meant to protect anything; a client trusts the server by naming ca.pem
// (SSL_CERT_FILE for the harvester).

#include <string>

namespace lt::fake {

struct TestCertificates {
    std::string ca_cert;     // <dir>/ca.pem
    std::string server_cert; // <dir>/server.pem
    std::string server_key;  // <dir>/server.key
};

// Writes the three PEM files into dir (which must exist), replacing any there.
// Returns false with a reason when OpenSSL or the file system refuses.
bool make_test_certificates(const std::string& dir, TestCertificates& out, std::string* error);

} // namespace lt::fake
