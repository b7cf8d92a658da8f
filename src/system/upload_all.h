#pragma once
// Pushes the whole state to the mixer: the 283 commands of the upload plan,
// one every 20 ms, from a timer on the window's thread so that the window
// stays responsive. Each command is built from the state when its turn
// comes. After every pass of the plan the link's silence watch starts over,
// since the mixer does not answer an upload.
//
// The times are kept from the start, not from one command to the next, so
// that the timer's lateness does not add up over the 283 commands.
//
// The plan ends with the meter stream off; a complete upload turns it back on
// while the link is still connected. Left off, the meters would stand still
// and, with nothing more heard from the mixer, the silence watch would show
// a mixer that is still there as offline.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace mixer {

struct MixerState;
class ConsoleLink;

class UploadAll : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kInterval{20};

    UploadAll(const MixerState& state, ConsoleLink& link, QObject* parent = nullptr);

    // The pause after each command; for tests that need no protocol pacing.
    void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }
    // Sends the first command and schedules the rest; false while running.
    bool Start();
    // Sends nothing more; finished(false) follows when it was running.
    void Stop();
    bool IsRunning() const { return running_; }
    int Sent() const { return sent_; }

signals:
    // `sent` of the 283 commands have been handed to the link.
    void progressed(int sent);
    // The last pause has passed and the meter stream is on again (complete),
    // or the link went offline and the rest was not sent.
    void finished(bool complete);

private:
    void SendDue();
    void Finish(bool complete);
    void ScheduleNext();

    const MixerState& state_;
    ConsoleLink& link_;
    std::chrono::milliseconds interval_ = kInterval;
    QTimer timer_;
    QElapsedTimer started_;
    int sent_ = 0;
    bool running_ = false;
};

}  // namespace mixer
