#pragma once
// A bare loopback HTTP client for checking fake-services byte for byte: it
// sends the request head as given and returns everything the server sent
// until it closed the connection.

#include <cstdint>
#include <string>

namespace lt::e2e {

struct RawExchange {
    bool connected = false;
    bool reset = false;   // the connection was reset by the server
    std::string response; // bytes received
};

RawExchange raw_exchange(uint16_t port, const std::string& request);

// GET target with "Connection: close" and any extra header lines ("Name: v\r\n").
RawExchange raw_get(uint16_t port, const std::string& target, const std::string& extra_headers = "");

} // namespace lt::e2e
