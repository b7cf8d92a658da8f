#include "model/target.h"

#include <array>

#include "link/commands.h"
#include "link/wire_format.h"
#include "model/change_set.h"

namespace mixer {

namespace {

bool ValidLetter(char letter) { return letter >= 'A' && letter <= 'P'; }

int HexField(std::string_view field) {
    if (field.empty() || field.size() > 2) return -1;
    int value = 0;
    for (char c : field) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::vector<Target> BuildStripTargets(int strip) {
    const int index = strip + 1;
    std::vector<Target> targets;
    if (strip < kInputCount) targets.push_back({'A', index});
    if (strip == kDelayReturn) targets.insert(targets.end(), {{'A', kIndexDelayReturn}, {'A', kIndexDelayOut}});
    if (strip == kReverbReturn) targets.insert(targets.end(), {{'A', kIndexReverbReturn}, {'A', kIndexReverbOut}});
    targets.push_back({'K', kFirstStripIndexK + strip});
    targets.push_back({'L', index});
    for (char letter : {'O', 'F', 'E'}) targets.push_back({letter, index});
    for (int band = 1; band <= kPeqBandCount; ++band) targets.push_back({'G', index, band});
    for (char letter : {'B', 'C', 'I', 'J'}) targets.push_back({letter, index});
    if (strip == kDelayReturn) targets.push_back({'N'});
    if (strip == kReverbReturn) targets.push_back({'M'});
    return targets;
}

std::vector<Target> BuildBusTargets(int bus) {
    std::vector<Target> targets{{'A', kFirstBusIndexA + bus}};
    if (bus >= kFirstAux) targets.push_back({'K', bus - 1});
    if (bus == 0) targets.push_back({'L', kIndexMainBalance});
    for (char letter : {'P', 'H', 'D'}) targets.push_back({letter, bus + 1});
    return targets;
}

}  // namespace

int TargetSlot(const Target& target) {
    return ((target.letter - 'A') * 32 + target.index) * 5 + target.band;
}

std::optional<Target> TargetOf(std::string_view text) {
    if (text.size() < kMinMessageLength || text.front() != '%' || !ValidLetter(text[1])) return std::nullopt;
    const std::vector<std::string_view> parts = SplitParts(text);
    const char letter = text[1];
    if (letter == 'M' || letter == 'N') return Target{letter};
    // letter, unit, index, ..., checksum
    if (parts.size() < 4) return std::nullopt;
    const int index = HexField(parts[2]);
    if (index < 0 || index >= 32) return std::nullopt;
    if (letter != 'G') return Target{letter, index};
    // letter, unit, index, PEQ switch, band, ..., checksum
    if (parts.size() < 6) return std::nullopt;
    const int band = HexField(parts[4]);
    if (band < 1 || band > kPeqBandCount) return std::nullopt;
    return Target{letter, index, band};
}

std::string BuildTarget(const MixerState& s, const Target& t) {
    switch (t.letter) {
    case 'A': return BuildA(s, t.index);
    case 'B': return BuildB(s, t.index);
    case 'C': return BuildC(s, t.index);
    case 'D': return BuildD(s, t.index);
    case 'E': return BuildE(s, t.index);
    case 'F': return BuildF(s, t.index);
    case 'G': return BuildG(s, t.index, t.band);
    case 'H': return BuildH(s, t.index);
    case 'I': return BuildI(s, t.index);
    case 'J': return BuildJ(s, t.index);
    case 'K': return BuildK(s, t.index);
    case 'L': return BuildL(s, t.index);
    case 'M': return BuildM(s);
    case 'N': return BuildN(s);
    case 'O': return BuildO(s, t.index);
    case 'P': return BuildP(s, t.index);
    default: return {};
    }
}

// The targets of record `i` of `Count`, built once.
template <int Count>
const std::vector<Target>& Cached(int i, std::vector<Target> (*build)(int)) {
    static const auto all = [build] {
        std::array<std::vector<Target>, Count> built;
        for (int k = 0; k < Count; ++k) built[k] = build(k);
        return built;
    }();
    static const std::vector<Target> none;
    return i >= 0 && i < Count ? all[i] : none;
}

const std::vector<Target>& StripTargets(int strip) { return Cached<kStripCount>(strip, BuildStripTargets); }

const std::vector<Target>& BusTargets(int bus) { return Cached<kBusCount>(bus, BuildBusTargets); }

const std::vector<Target>& AllTargets() {
    static const std::vector<Target> all = [] {
        std::vector<Target> targets;
        for (int s = 0; s < kStripCount; ++s) targets.insert(targets.end(), StripTargets(s).begin(), StripTargets(s).end());
        for (int b = 0; b < kBusCount; ++b) targets.insert(targets.end(), BusTargets(b).begin(), BusTargets(b).end());
        return targets;
    }();
    return all;
}

std::vector<Target> DifferingTargets(const MixerState& a, const MixerState& b) {
    // Only the records whose carried fields differ are built; meters and
    // names travel in no command.
    constexpr uint32_t kUnsent = kPartMeter | kPartName;
    const ChangeSet changes = DiffStates(a, b);
    std::vector<Target> differing;
    std::array<bool, kTargetSlotCount> seen{};
    const auto compare = [&](const std::vector<Target>& targets) {
        for (const Target& t : targets) {
            bool& once = seen[TargetSlot(t)];
            if (!once && BuildTarget(a, t) != BuildTarget(b, t)) differing.push_back(t);
            once = true;
        }
    };
    for (int s = 0; s < kStripCount; ++s) {
        if (changes.Strip(s, ~kUnsent)) compare(StripTargets(s));
    }
    for (int bus = 0; bus < kBusCount; ++bus) {
        if (changes.Bus(bus, ~kUnsent)) compare(BusTargets(bus));
    }
    return differing;
}

std::vector<std::string> DifferingCommands(const MixerState& a, const MixerState& b) {
    std::vector<std::string> commands;
    for (const Target& target : DifferingTargets(a, b)) commands.push_back(BuildTarget(b, target));
    return commands;
}

}  // namespace mixer
