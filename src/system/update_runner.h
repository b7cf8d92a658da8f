#pragma once
// Runs one firmware update on a worker thread of its own, with the update
// socket bound there, and reports to the thread that owns the runner only by
// queued signals. Stop() ends the update within a few milliseconds: every
// pause and web request watches for it.

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "system/firmware_transfer.h"
#include "system/update_sequence.h"

class QThread;

namespace mixer {

class StopToken;

struct UpdateJob {
    bool remote = false;
    QString deviceAddress;    // where the messages go
    QString bindAddress;      // the update socket's local address; empty: every address
    quint16 port = 0;         // the device port, bound locally too
    QString dataDir;          // the image files, and the downloads
    QString pageUrl;          // remote: the update page
    std::string deviceVersion;  // known before asking; kept when the reply carries none
    std::string localVersion;   // local: the version the files are shown with
    TransferTiming timing;
};

class UpdateRunner : public QObject {
    Q_OBJECT

public:
    explicit UpdateRunner(QObject* parent = nullptr);
    ~UpdateRunner() override;

    // Starts the job unless one is running; false then.
    bool Start(const UpdateJob& job);
    // Ends a running job and waits for its thread; no finished signal follows.
    void Stop();
    bool IsRunning() const { return thread_ != nullptr; }

signals:
    void progressChanged(int position, int range);
    void versionsShown(const QString& device, const QString& offered, bool remote);
    // outcome is an UpdateOutcome; deviceVersion as the job left it.
    void finished(int outcome, const QString& deviceVersion);

private:
    void OnThreadDone();

    std::unique_ptr<QThread> thread_;
    std::shared_ptr<StopToken> stop_;
    int outcome_ = 0;
    std::string deviceVersion_;
};

}  // namespace mixer
