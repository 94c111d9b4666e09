#pragma once
// Who may use the remote: the PIN a browser gives once, the session tokens
// handed out for it, and the lockout of an address that keeps guessing.
// Tokens live only in this object (the console's memory): a restart asks
// every browser for the PIN again.
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace prismel::web {

using Clock = std::chrono::steady_clock;

// Fills n bytes from a source of secrets; false when it failed.
using RandomSource = std::function<bool(uint8_t* out, size_t n)>;

// The system's random source (getrandom on Linux, the system RNG on Windows).
bool system_random(uint8_t* out, size_t n);

// A PIN as the settings may give it: 4 to 12 decimal digits.
bool valid_pin(std::string_view pin);
// Six random decimal digits, each digit uniform; empty when the source failed.
std::string make_pin(const RandomSource& random);

constexpr const char* kSessionCookie = "prismel_session";
constexpr size_t kTokenBytes = 32;  // 256 bits, sent as 64 hex digits

enum class LoginResult {
    accepted,   // `token` holds the new session's token
    wrong_pin,
    locked_out, // too many wrong PINs from the address: refused, PIN not looked at
    no_token,   // the random source failed: nothing was handed out
};

class WebAccess {
public:
    WebAccess(std::string pin, RandomSource random);

    const std::string& pin() const { return pin_; }

    // A login attempt from an address (any text naming the peer).
    LoginResult login(std::string_view address, std::string_view pin, Clock::time_point now, std::string& token);
    bool locked_out(std::string_view address, Clock::time_point now) const;
    // The token belongs to a session of this run.
    bool valid_token(std::string_view token) const;
    int session_count() const { return int(sessions_.size()); }

    // The Set-Cookie value for a token: HttpOnly, SameSite=Strict, whole site.
    static std::string cookie_for(std::string_view token);

private:
    void forget_old_failures(Clock::time_point now);

    std::string pin_;
    RandomSource random_;
    std::deque<std::string> sessions_;  // oldest first
    struct Failures {
        std::deque<Clock::time_point> times;  // within the window
        Clock::time_point locked_until{};
    };
    std::map<std::string, Failures, std::less<>> failures_;
};

}  // namespace prismel::web
