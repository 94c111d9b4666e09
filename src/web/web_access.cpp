#include "web/web_access.h"

#include <algorithm>

#include "web/web_limits.h"

#if defined(_WIN32)
#include <windows.h>
#include <bcrypt.h>
#else
#include <sys/random.h>
#include <cerrno>
#endif

namespace prismel::web {

bool system_random(uint8_t* out, size_t n) {
#if defined(_WIN32)
    return BCryptGenRandom(nullptr, out, ULONG(n), BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
#else
    while (n > 0) {
        const ssize_t got = ::getrandom(out, n, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        out += got;
        n -= size_t(got);
    }
    return true;
#endif
}

bool valid_pin(std::string_view pin) {
    if (pin.size() < 4 || pin.size() > 12) return false;
    return std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string make_pin(const RandomSource& random) {
    std::string pin;
    while (pin.size() < 6) {
        uint8_t b = 0;
        if (!random(&b, 1)) return {};
        if (b < 250) pin += char('0' + b % 10);  // 250 = 25 x 10: no digit favoured
    }
    return pin;
}

namespace {

// Compares without stopping at the first difference, so the time taken
// tells nothing about how much of a guess was right.
bool same_secret(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    unsigned diff = 0;
    for (size_t i = 0; i < a.size(); ++i) diff |= unsigned(uint8_t(a[i]) ^ uint8_t(b[i]));
    return diff == 0;
}

std::string hex_of(const uint8_t* bytes, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

}  // namespace

WebAccess::WebAccess(std::string pin, RandomSource random) : pin_(std::move(pin)), random_(std::move(random)) {}

bool WebAccess::locked_out(std::string_view address, Clock::time_point now) const {
    const auto it = failures_.find(address);
    return it != failures_.end() && now < it->second.locked_until;
}

LoginResult WebAccess::login(std::string_view address, std::string_view pin, Clock::time_point now,
                             std::string& token) {
    forget_old_failures(now);
    if (locked_out(address, now)) return LoginResult::locked_out;
    if (pin_.empty() || !same_secret(pin, pin_)) {
        if (failures_.size() >= kMaxTrackedAddresses && failures_.find(address) == failures_.end())
            failures_.erase(failures_.begin());  // a flood of addresses must not grow memory
        Failures& f = failures_[std::string(address)];
        f.times.push_back(now);
        if (int(f.times.size()) >= kPinFailuresAllowed) {
            f.locked_until = now + kLockout;
            f.times.clear();
        }
        return LoginResult::wrong_pin;
    }
    uint8_t bytes[kTokenBytes];
    if (!random_ || !random_(bytes, sizeof bytes)) return LoginResult::no_token;
    token = hex_of(bytes, sizeof bytes);
    if (int(sessions_.size()) >= kMaxSessions) sessions_.pop_front();
    sessions_.push_back(token);
    return LoginResult::accepted;
}

void WebAccess::forget_old_failures(Clock::time_point now) {
    for (auto it = failures_.begin(); it != failures_.end();) {
        auto& times = it->second.times;
        while (!times.empty() && now - times.front() >= kPinWindow) times.pop_front();
        if (times.empty() && now >= it->second.locked_until) it = failures_.erase(it);
        else ++it;
    }
}

bool WebAccess::valid_token(std::string_view token) const {
    if (token.size() != 2 * kTokenBytes) return false;
    bool found = false;
    for (const std::string& s : sessions_) found |= same_secret(token, s);
    return found;
}

std::string WebAccess::cookie_for(std::string_view token) {
    return std::string(kSessionCookie) + "=" + std::string(token) + "; Path=/; HttpOnly; SameSite=Strict";
}

}  // namespace prismel::web
