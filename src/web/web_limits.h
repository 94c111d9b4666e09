#pragma once
// What the browser remote accepts from the network before it refuses:
// every request and message comes from an untrusted device on the lighting
// network, so each is bounded in size, number and time.
#include <chrono>
#include <cstddef>

namespace prismel::web {

constexpr size_t kMaxHeadBytes = 8192;     // request line and headers
constexpr size_t kMaxHeaderLines = 64;
constexpr size_t kMaxBodyBytes = 1024;     // the PIN form is a few bytes
constexpr size_t kMaxMessageBytes = 256;   // one action from the page
// Bytes a connection handed to the HTTP server may send between two replies:
// a head and a body with room to spare. More closes the connection.
constexpr size_t kMaxBytesPerRequest = kMaxHeadBytes + kMaxBodyBytes + 1024;

constexpr int kMaxConnections = 96;        // every open TCP connection together
constexpr int kMaxConnectionsPerAddress = 32;
constexpr int kMaxSessions = 64;           // tokens kept; the oldest goes first
constexpr size_t kMaxTrackedAddresses = 1024;  // addresses with failed PINs remembered

constexpr std::chrono::milliseconds kHeadTimeout{10000};  // the first request's head
constexpr std::chrono::milliseconds kIdleTimeout{60000};  // an HTTP connection with nothing to do
constexpr std::chrono::milliseconds kStateInterval{100};  // at most 10 state messages a second

constexpr int kPinFailuresAllowed = 5;     // wrong PINs from one address ...
constexpr std::chrono::seconds kPinWindow{60};    // ... within this time
constexpr std::chrono::seconds kLockout{60};      // refuse its logins this long

}  // namespace prismel::web
