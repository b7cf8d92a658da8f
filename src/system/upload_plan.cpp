#include "system/upload_plan.h"

#include "link/commands.h"

namespace mixer {

namespace {

std::vector<UploadStep> MakePlan() {
    std::vector<UploadStep> plan;
    plan.reserve(kUploadMessageCount);
    auto add = [&plan](char letter, int index = 0, int band = 0) { plan.push_back({letter, index, band, false}); };
    auto endPass = [&plan] { plan.back().passEnd = true; };

    add('Q');
    endPass();
    for (int i = 1; i <= 24; ++i) {
        add('A', i);
        add('K', i);
        endPass();
    }
    for (int i = 27; i <= 30; ++i) {
        add('A', i);
        endPass();
    }
    for (int i = 1; i <= kInputCount; ++i) {
        for (char letter : {'B', 'C', 'E', 'F', 'J', 'O'}) add(letter, i);
        endPass();
    }
    for (int i = 1; i <= kBusCount; ++i) {
        add('D', i);
        add('H', i);
        endPass();
    }
    for (int i = 1; i <= kStripCount; ++i) {
        for (int band = 1; band <= kPeqBandCount; ++band) add('G', i, band);
        add('I', i);
        endPass();
    }
    for (int i = 1; i <= 19; ++i) {
        add('L', i);
        endPass();
    }
    for (int i = 3; i <= kBusCount; ++i) {
        add('P', i);
        endPass();
    }
    add('M');
    add('N');
    add('Q');
    endPass();
    return plan;
}

}  // namespace

const std::vector<UploadStep>& UploadAllPlan() {
    static const std::vector<UploadStep> plan = MakePlan();
    return plan;
}

std::string BuildUploadMessage(const MixerState& state, const UploadStep& step) {
    switch (step.letter) {
    case 'A': return BuildA(state, step.index);
    case 'B': return BuildB(state, step.index);
    case 'C': return BuildC(state, step.index);
    case 'D': return BuildD(state, step.index);
    case 'E': return BuildE(state, step.index);
    case 'F': return BuildF(state, step.index);
    case 'G': return BuildG(state, step.index, step.band);
    case 'H': return BuildH(state, step.index);
    case 'I': return BuildI(state, step.index);
    case 'J': return BuildJ(state, step.index);
    case 'K': return BuildK(state, step.index);
    case 'L': return BuildL(state, step.index);
    case 'M': return BuildM(state);
    case 'N': return BuildN(state);
    case 'O': return BuildO(state, step.index);
    case 'P': return BuildP(state, step.index);
    case 'Q': return BuildQ(false);
    default: return {};
    }
}

}  // namespace mixer
