#include "system/scene_fader.h"

#include "model/target.h"

namespace mixer {

SceneFader::SceneFader(MixerModel& model, QObject* parent) : QObject(parent), model_(model) {
    timer_.setInterval(kTick);
    connect(&timer_, &QTimer::timeout, this, &SceneFader::Tick);
    connect(&model_, &MixerModel::changed, this, &SceneFader::OnChanged);
}

void SceneFader::Prepare(const MixerState& live, MixerState& recalled, std::chrono::milliseconds duration) {
    fade_.Start(live, recalled, duration, clock_->Now());
}

void SceneFader::Begin(uint64_t step) {
    step_ = step;
    if (fade_.Running()) timer_.start();
    else Stop();
}

void SceneFader::Tick() {
    if (!fade_.Running()) return;
    writing_ = true;
    const auto joined = model_.Continue(step_, {StepAction::SceneRecall}, [this](MixerState& s) {
        const MixerState before = s;
        fade_.Step(s, clock_->Now());
        return DifferingCommands(before, s);
    });
    writing_ = false;
    // An undone recall takes its fade with it.
    if (!joined) fade_.Stop();
    else step_ = *joined;
    if (!fade_.Running()) Stop();
}

void SceneFader::Stop() {
    const bool was = timer_.isActive() || fade_.Running();
    fade_.Stop();
    timer_.stop();
    if (was) emit finished();
}

void SceneFader::OnChanged() {
    if (writing_ || !fade_.Running()) return;
    fade_.StopTouched(model_.State());
    if (!fade_.Running()) Stop();
}

}  // namespace mixer
