#include "model/mixer_model.h"

namespace mixer {

MixerModel::MixerModel(QObject* parent) : QObject(parent) {}

void MixerModel::Edit(const Write& write, Sending sending, Origin origin) {
    const MixerState before = state_;
    const Commands commands = write(state_);
    const ChangeSet changes = DiffStates(before, state_);
    const bool stepMade = origin == Origin::Local && !changes.Empty() && history_.Record(before, state_);
    if (!changes.Empty()) emit changed(changes, origin);
    if (sending == Sending::Now || sending == Sending::Paced) Send(commands, sending == Sending::Paced);
    if (changes.Any(kPartMeter)) emit metersChanged();
    if (stepMade) emit historyChanged();
}

std::optional<uint64_t> MixerModel::Continue(uint64_t step, const StepLabel& label, const Write& write) {
    const MixerState before = state_;
    const Commands commands = write(state_);
    const ChangeSet changes = DiffStates(before, state_);
    if (changes.Empty()) return step;
    if (step != 0 && !history_.Extend(step, before, state_)) {
        state_ = before;
        return std::nullopt;
    }
    const bool stepMade = step == 0 && (step = history_.Add(label, before, state_)) != 0;
    emit changed(changes, Origin::Local);
    Send(commands);
    if (stepMade) emit historyChanged();
    return step;
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

void MixerModel::BeginStep(const StepLabel& label) { history_.Begin(label); }

void MixerModel::EndStep() {
    if (history_.End()) emit historyChanged();
}

void MixerModel::NameStep(const StepLabel& label) { history_.Name(label); }

std::optional<StepLabel> MixerModel::Undo() { return Apply(true); }

std::optional<StepLabel> MixerModel::Redo() { return Apply(false); }

std::optional<StepLabel> MixerModel::Apply(bool undo) {
    const StepLabel* next = undo ? history_.UndoLabel() : history_.RedoLabel();
    if (!next || history_.Busy()) return std::nullopt;
    const StepLabel label = *next;
    emit stepApplying(label, undo);
    const MixerState before = state_;
    if (undo) history_.Undo(state_);
    else history_.Redo(state_);
    const ChangeSet changes = DiffStates(before, state_);
    if (!changes.Empty()) emit changed(changes, Origin::History);
    // Only what differs goes out: undoing a scene recall sends the fields it
    // changed, not the whole state again.
    if (sink_) {
        for (const Target& target : DifferingTargets(before, state_)) sink_->QueueTarget(state_, target, false);
    }
    emit historyChanged();
    return label;
}

void MixerModel::Send(const Commands& commands, bool paced) {
    if (!sink_) return;
    for (const std::string& text : commands) {
        if (const auto target = TargetOf(text)) sink_->QueueTarget(state_, *target, paced);
    }
}

}  // namespace mixer
