#include "system/upload_plan.h"

#include <initializer_list>

#include "link/commands.h"

namespace mixer {

namespace {

std::vector<UploadStep> MakePlan() {
    std::vector<UploadStep> plan;
    plan.reserve(kUploadMessageCount);
    auto add = [&plan](char letter, int index = 0, int band = 0) { plan.push_back({letter, index, band, false}); };
    auto endPass = [&plan] { plan.back().passEnd = true; };
    // One pass per index, each sending these letters in order.
    auto passes = [&](std::initializer_list<char> letters, int first, int last) {
        for (int i = first; i <= last; ++i) {
            for (char letter : letters) add(letter, i);
            endPass();
        }
    };

    add('Q');
    endPass();
    passes({'A', 'K'}, 1, 24);
    passes({'A'}, 27, 30);
    passes({'B', 'C', 'E', 'F', 'J', 'O'}, 1, kInputCount);
    passes({'D', 'H'}, 1, kBusCount);
    for (int i = 1; i <= kStripCount; ++i) {
        for (int band = 1; band <= kPeqBandCount; ++band) add('G', i, band);
        add('I', i);
        endPass();
    }
    passes({'L'}, 1, 19);
    passes({'P'}, 3, kBusCount);
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
