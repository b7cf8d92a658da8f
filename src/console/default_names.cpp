#include "console/default_names.h"

#include "link/mixer_state.h"

namespace mixer {

std::string DefaultInputName(int index, int language) {
    const bool chinese = language == 2;
    if (index >= 0 && index < kInputCount) return (chinese ? "通道 " : "CH ") + std::to_string(index + 1);
    if (index == kDelayReturn) return chinese ? "延时" : "DELAY";
    if (index == kReverbReturn) return chinese ? "混响" : "Reverb";
    return {};
}

std::string DefaultOutputName(int index, int language) {
    const bool chinese = language == 2;
    if (index == 0) return chinese ? "主音量" : "MAIN";
    if (index == 1) return "MAIN";
    if (index >= kFirstAux && index < kBusCount) return (chinese ? "辅助 " : "AUX ") + std::to_string(index - 1);
    return {};
}

}  // namespace mixer
