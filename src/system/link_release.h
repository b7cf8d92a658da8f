#pragma once
// Waits for the console's link to let go of the device port before something
// else binds it (a search, a firmware update). The link closes its socket on
// its own thread, so the wait polls, every 10 ms for at most a second, and
// never blocks the window.

#include <QObject>
#include <QTimer>
#include <functional>

namespace mixer {

class ConsoleLink;

class LinkRelease : public QObject {
    Q_OBJECT

public:
    explicit LinkRelease(QObject* parent = nullptr);

    // Calls then() from the event loop once link no longer receives (or no
    // link is given), at the earliest on the next poll; a second call
    // replaces the first.
    void Wait(ConsoleLink* link, std::function<void()> then);
    void Stop() { timer_.stop(); }
    bool IsWaiting() const { return timer_.isActive(); }

private:
    QTimer timer_;
    ConsoleLink* link_ = nullptr;
    int polls_ = 0;
    std::function<void()> then_;
};

}  // namespace mixer
