#include "system/link_release.h"

#include "host/console_link.h"

namespace mixer {

namespace {
constexpr int kPollMs = 10;
constexpr int kMaxPolls = 100;
}  // namespace

LinkRelease::LinkRelease(QObject* parent) : QObject(parent) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (link_ && link_->IsReceiving() && ++polls_ < kMaxPolls) return;
        timer_.stop();
        then_();
    });
}

void LinkRelease::Wait(ConsoleLink* link, std::function<void()> then) {
    link_ = link;
    polls_ = 0;
    then_ = std::move(then);
    timer_.start();
}

}  // namespace mixer
