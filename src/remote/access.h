#pragma once
// Who a page is and what it may change. The engineer's code opens
// everything; a monitor code opens one AUX: its sends and its master.
// Whatever a page sends, Allows decides, never the page.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "remote/client_message.h"

namespace mixer::remote {

inline constexpr int kCodeDigits = 6;
inline constexpr int kWrongCodesBeforeLock = 5;
inline constexpr int64_t kLockMs = 60'000;

// 0 the engineer, 1..6 the monitor of that AUX.
struct Role {
    int aux = 0;
    bool Engineer() const { return aux == 0; }
    bool operator==(const Role&) const = default;
};

struct AccessCodes {
    std::string engineer;
    std::array<std::string, kAuxCount> monitor;  // AUX 1..6
    bool operator==(const AccessCodes&) const = default;
};

bool IsCode(std::string_view text);  // exactly six digits
// Seven different six-digit codes drawn from `random`.
AccessCodes MakeAccessCodes(const std::function<uint32_t()>& random);
// Valid: seven codes, each six digits, no two the same.
bool ValidCodes(const AccessCodes& codes);
// The role a code opens; every code is compared in full, so the time taken
// tells nothing about how near a guess came.
std::optional<Role> RoleOfCode(const AccessCodes& codes, std::string_view code);

// Whether a session of `role` may send `message`.
bool Allows(Role role, const ClientMessage& message);

// Wrong codes per address: the fifth in a row locks the address for a
// minute. Times are a monotonic clock's milliseconds, given by the caller.
class LoginGate {
public:
    // Milliseconds the address still waits, 0 when it may try.
    int64_t WaitMs(const std::string& address, int64_t nowMs) const;
    void Wrong(const std::string& address, int64_t nowMs);
    void Right(const std::string& address);

private:
    struct Entry {
        int wrong = 0;
        int64_t lockedUntil = 0;
    };
    // Addresses kept at most; a flood of new addresses forgets the unlocked.
    static constexpr std::size_t kMaxAddresses = 4096;
    std::unordered_map<std::string, Entry> entries_;
};

// A token bucket: `burst` messages at once, `perSecond` sustained.
class RateLimit {
public:
    RateLimit(int burst, int perSecond) : burst_(burst), perSecond_(perSecond), tokens_(burst * 1000LL) {}
    bool Take(int64_t nowMs);

private:
    int burst_;
    int perSecond_;
    long long tokens_;  // thousandths of a message
    int64_t lastMs_ = -1;
};

}  // namespace mixer::remote
