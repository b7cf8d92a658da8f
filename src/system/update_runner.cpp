#include "system/update_runner.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QThread>
#include <QUdpSocket>

#include "link/firmware_framing.h"
#include "system/http_fetch.h"
#include "system/stop_token.h"

namespace mixer {

namespace {

// The update socket and the data directory, on the worker thread.
class UdpUpdateHost : public UpdateHost {
public:
    UdpUpdateHost(const UpdateJob& job, StopToken& stop, UpdateRunner& runner)
        : job_(job), stop_(stop), runner_(runner), device_(job.deviceAddress) {}

    bool Bind() {
        const bool any = job_.bindAddress.isEmpty() || job_.bindAddress == QLatin1String("0.0.0.0");
        const QHostAddress local = any ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(job_.bindAddress);
        return !local.isNull() && !device_.isNull() && socket_.bind(local, job_.port, QAbstractSocket::DontShareAddress);
    }

    void Send(std::string_view datagram) override {
        socket_.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()), device_, job_.port);
    }

    bool Receive(std::size_t maxBytes, std::string& datagram) override {
        if (!socket_.hasPendingDatagrams()) return false;
        datagram.resize(maxBytes);
        const qint64 got = socket_.readDatagram(datagram.data(), static_cast<qint64>(maxBytes));
        datagram.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return got >= 0;
    }

    bool Pause(int ms) override { return stop_.Wait(ms); }

    bool ReadImage(const std::string& name, std::vector<uint8_t>& bytes) override {
        QFile file(PathOf(name));
        // Too long for the header: refused without reading it.
        if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(kFirmwareMaxLength)) return false;
        const QByteArray data = file.readAll();
        bytes.assign(data.begin(), data.end());
        return true;
    }

    bool FetchText(const std::string& url, std::string& text) override {
        return HttpGetText(QString::fromStdString(url), text, [this] { return stop_.Requested(); });
    }

    bool Download(const std::string& url, const std::string& name) override {
        return HttpDownload(QString::fromStdString(url), PathOf(name), static_cast<qint64>(kFirmwareMaxLength),
                            [this] { return stop_.Requested(); });
    }

    bool Stopping() const override { return stop_.Requested(); }

    void Progress(int position, int range) override { emit runner_.progressChanged(position, range); }

    void ShowVersions(const std::string& device, const std::string& offered, bool remote) override {
        emit runner_.versionsShown(QString::fromStdString(device), QString::fromStdString(offered), remote);
    }

private:
    QString PathOf(const std::string& name) const { return QDir(job_.dataDir).filePath(QString::fromStdString(name)); }

    const UpdateJob& job_;
    StopToken& stop_;
    UpdateRunner& runner_;
    QHostAddress device_;
    QUdpSocket socket_;
};

}  // namespace

UpdateRunner::UpdateRunner(QObject* parent) : QObject(parent) {}

UpdateRunner::~UpdateRunner() { Stop(); }

bool UpdateRunner::Start(const UpdateJob& job) {
    if (thread_) return false;
    stop_ = std::make_shared<StopToken>();
    outcome_ = static_cast<int>(UpdateOutcome::Stopped);
    deviceVersion_ = job.deviceVersion;
    // The thread writes only outcome_ and deviceVersion_, and the owner reads
    // them after the thread has finished.
    thread_.reset(QThread::create([this, job, stop = stop_] {
        UdpUpdateHost host(job, *stop, *this);
        std::string version = job.deviceVersion;
        UpdateOutcome outcome = UpdateOutcome::SocketError;
        if (host.Bind()) {
            outcome = job.remote ? RunRemoteUpdate(host, job.timing, version, job.pageUrl.toStdString())
                                 : RunLocalUpdate(host, job.timing, version, job.localVersion);
        }
        outcome_ = static_cast<int>(outcome);
        deviceVersion_ = version;
    }));
    connect(thread_.get(), &QThread::finished, this, &UpdateRunner::OnThreadDone);
    thread_->start();
    return true;
}

void UpdateRunner::Stop() {
    if (!thread_) return;
    stop_->Request();
    thread_->wait();
    thread_.reset();
}

void UpdateRunner::OnThreadDone() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    const bool stopped = stop_->Requested();
    if (!stopped) emit finished(outcome_, QString::fromStdString(deviceVersion_));
}

}  // namespace mixer
