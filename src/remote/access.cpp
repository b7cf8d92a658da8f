#include "remote/access.h"

#include <algorithm>

namespace mixer::remote {

bool IsCode(std::string_view text) {
    return text.size() == kCodeDigits && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

AccessCodes MakeAccessCodes(const std::function<uint32_t()>& random) {
    AccessCodes codes;
    std::array<std::string*, kAuxCount + 1> slots{&codes.engineer};
    for (int i = 0; i < kAuxCount; ++i) slots[i + 1] = &codes.monitor[i];
    for (std::size_t i = 0; i < slots.size(); ++i) {
        for (;;) {
            std::string code = std::to_string(random() % 1'000'000);
            code.insert(0, kCodeDigits - code.size(), '0');
            if (std::none_of(slots.begin(), slots.begin() + static_cast<long>(i), [&](const std::string* s) { return *s == code; })) {
                *slots[i] = code;
                break;
            }
        }
    }
    return codes;
}

bool ValidCodes(const AccessCodes& codes) {
    std::array<std::string_view, kAuxCount + 1> all{codes.engineer};
    std::copy(codes.monitor.begin(), codes.monitor.end(), all.begin() + 1);
    if (!std::all_of(all.begin(), all.end(), IsCode)) return false;
    std::sort(all.begin(), all.end());
    return std::adjacent_find(all.begin(), all.end()) == all.end();
}

namespace {
bool SameCode(std::string_view a, std::string_view b) {
    if (a.size() != kCodeDigits || b.size() != kCodeDigits) return false;
    unsigned difference = 0;
    for (int i = 0; i < kCodeDigits; ++i) difference |= static_cast<unsigned>(a[i] ^ b[i]);
    return difference == 0;
}
}  // namespace

std::optional<Role> RoleOfCode(const AccessCodes& codes, std::string_view code) {
    std::optional<Role> role;
    if (SameCode(codes.engineer, code)) role = Role{0};
    for (int aux = 1; aux <= kAuxCount; ++aux) {
        if (SameCode(codes.monitor[aux - 1], code)) role = Role{aux};
    }
    return role;
}

bool Allows(Role role, const ClientMessage& m) {
    if (m.kind != MessageKind::Set) return true;
    if (role.Engineer()) return true;
    switch (m.control) {
    case Control::Send: return m.aux == role.aux;
    case Control::OutLevel:
    case Control::OutMute: return m.index == role.aux;
    default: return false;
    }
}

int64_t LoginGate::WaitMs(const std::string& address, int64_t nowMs) const {
    const auto it = entries_.find(address);
    return it == entries_.end() ? 0 : std::max<int64_t>(0, it->second.lockedUntil - nowMs);
}

void LoginGate::Wrong(const std::string& address, int64_t nowMs) {
    if (entries_.size() >= kMaxAddresses && !entries_.contains(address)) {
        std::erase_if(entries_, [&](const auto& e) { return e.second.lockedUntil <= nowMs; });
        if (entries_.size() >= kMaxAddresses) return;
    }
    Entry& e = entries_[address];
    if (++e.wrong >= kWrongCodesBeforeLock) {
        e.wrong = 0;
        e.lockedUntil = nowMs + kLockMs;
    }
}

void LoginGate::Right(const std::string& address) { entries_.erase(address); }

bool RateLimit::Take(int64_t nowMs) {
    if (lastMs_ >= 0 && nowMs > lastMs_) tokens_ = std::min<long long>(burst_ * 1000LL, tokens_ + (nowMs - lastMs_) * perSecond_);
    lastMs_ = std::max(lastMs_, nowMs);
    if (tokens_ < 1000) return false;
    tokens_ -= 1000;
    return true;
}

}  // namespace mixer::remote
