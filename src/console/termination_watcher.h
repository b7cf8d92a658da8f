#pragma once
// Turns SIGINT and SIGTERM into a signal of the event loop, so that a terminal
// interrupt or the end of a session closes the editor the way closing its
// window does. Where the platform has no such signals it never fires.

#include <QObject>

class QSocketNotifier;

namespace mixer {

class TerminationWatcher : public QObject {
    Q_OBJECT

public:
    // One watcher per process; it installs the handlers and restores the
    // previous ones when destroyed.
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace mixer
