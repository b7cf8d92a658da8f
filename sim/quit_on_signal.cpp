#include "sim/quit_on_signal.h"

#include <QCoreApplication>
#include <QTimer>
#include <csignal>

namespace mixer {

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void OnSignal(int) { signalled = 1; }

// How often the flag is looked at: a signal handler may do nothing more than
// set it, so the event loop has to come and see.
constexpr int kCheckMs = 50;

}  // namespace

void QuitOnSignal(QObject* owner) {
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [] {
        if (signalled) QCoreApplication::quit();
    });
    timer->start(kCheckMs);
}

}  // namespace mixer
