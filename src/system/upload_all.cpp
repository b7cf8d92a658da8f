#include "system/upload_all.h"

#include <algorithm>

#include "host/console_link.h"
#include "link/commands.h"
#include "link/mixer_state.h"
#include "system/upload_plan.h"

namespace mixer {

UploadAll::UploadAll(const MixerState& state, ConsoleLink& link, QObject* parent)
    : QObject(parent), state_(state), link_(link) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &UploadAll::SendDue);
}

bool UploadAll::Start() {
    if (running_) return false;
    running_ = true;
    // A comparison halfway through would find the mixer behind the mirror.
    link_.HoldResync(true);
    sent_ = 0;
    started_.start();
    SendDue();
    return true;
}

void UploadAll::Stop() {
    if (running_) Finish(false);
}

void UploadAll::SendDue() {
    const std::vector<UploadStep>& plan = UploadAllPlan();
    if (sent_ == static_cast<int>(plan.size())) {
        Finish(true);
        return;
    }
    // A link that has gone offline sends nothing more; the user sees the
    // upload end early rather than watch it pretend.
    if (!link_.IsConnected()) {
        Finish(false);
        return;
    }
    const UploadStep& step = plan[sent_];
    link_.Send(BuildUploadMessage(state_, step));
    if (step.passEnd) link_.MarkHeard();
    ++sent_;
    emit progressed(sent_);
    ScheduleNext();
}

void UploadAll::ScheduleNext() {
    const qint64 due = static_cast<qint64>(sent_) * interval_.count();
    timer_.start(static_cast<int>(std::max<qint64>(0, due - started_.elapsed())));
}

void UploadAll::Finish(bool complete) {
    timer_.stop();
    running_ = false;
    link_.HoldResync(false);
    if (complete) link_.Send(BuildQ(true));
    emit finished(complete);
}

}  // namespace mixer
