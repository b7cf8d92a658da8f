#include "model/mixer_model.h"

namespace mixer {

MixerModel::MixerModel(QObject* parent) : QObject(parent) {}

void MixerModel::Edit(const Write& write, Sending sending, Origin origin) {
    const MixerState before = state_;
    const Commands commands = write(state_);
    const ChangeSet changes = DiffStates(before, state_);
    if (!changes.Empty()) emit changed(changes, origin);
    if (sending == Sending::Now || sending == Sending::Paced) Send(commands, sending == Sending::Paced);
    if (changes.Any(kPartMeter)) emit metersChanged();
}

void MixerModel::Change(const std::function<void(MixerState&)>& write, Origin origin) {
    Edit(
        [&](MixerState& s) {
            write(s);
            return Commands{};
        },
        Sending::None, origin);
}

void MixerModel::EditMeters(const std::function<bool(MixerState&)>& write) {
    if (write(state_)) emit metersChanged();
}

void MixerModel::Send(const Commands& commands, bool paced) {
    if (!sink_) return;
    for (const std::string& text : commands) {
        if (const auto target = TargetOf(text)) sink_->QueueTarget(state_, *target, paced);
    }
}

}  // namespace mixer
