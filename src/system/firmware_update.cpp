#include "system/firmware_update.h"

#include "host/app_context.h"
#include "host/console_link.h"
#include "link/dotted_ipv4.h"
#include "link/link_texts.h"
#include "link/notifier.h"

namespace mixer {

namespace {

const QString kWarming = QString::fromStdString(LinkTextFor(LinkText::SocketErrorCaption, 1));

}  // namespace

FirmwareUpdate::FirmwareUpdate(AppContext& context, QObject* parent) : QObject(parent), context_(context) {
    connect(&runner_, &UpdateRunner::progressChanged, this, &FirmwareUpdate::progressChanged);
    connect(&runner_, &UpdateRunner::versionsShown, this,
            [this](const QString& device, const QString& offered, bool remote) {
                context_.firmwareVersion = device;
                emit versionsShown(device, offered, remote);
            });
    connect(&runner_, &UpdateRunner::finished, this, &FirmwareUpdate::OnFinished);
}

FirmwareUpdate::~FirmwareUpdate() { Stop(); }

FirmwareUpdate::StartResult FirmwareUpdate::Start(Kind kind, const QString& address, int language) {
    language_ = language;
    if (context_.updateBusy) {
        TellBusy(language);
        return StartResult::Busy;
    }
    if (kind == Kind::Remote && context_.updateUrl.isEmpty()) {
        Tell(QStringLiteral("No update page is configured: start the program with --update-url ADDRESS."),
             QStringLiteral("未设置升级网页：请用 --update-url 地址 启动程序。"));
        return StartResult::NoUpdatePage;
    }
    if (!IsDottedIpv4(address.toStdString())) return StartResult::BadAddress;

    kind_ = kind;
    context_.updateBusy = true;
    context_.deviceAddress = address;
    // The update socket needs the device port: the link lets go of it first.
    if (context_.link && (context_.link->IsConnected() || context_.link->IsReceiving())) context_.link->Disconnect();
    // Binding waits for the event loop's next turn, so that the caller can
    // close a search's socket first.
    linkRelease_.Wait(context_.link, [this] { Run(); });
    return StartResult::Started;
}

void FirmwareUpdate::Run() {
    UpdateJob job;
    job.remote = kind_ == Kind::Remote;
    job.deviceAddress = context_.deviceAddress;
    job.bindAddress = context_.bindAddress;
    job.port = static_cast<quint16>(context_.port);
    job.dataDir = context_.dataDir;
    job.pageUrl = context_.updateUrl;
    job.deviceVersion = context_.firmwareVersion.toStdString();
    job.localVersion = kLocalFirmwareVersion;
    job.timing = timing_;
    runner_.Start(job);
}

void FirmwareUpdate::Stop() {
    const bool running = IsRunning();
    linkRelease_.Stop();
    runner_.Stop();
    if (running) context_.updateBusy = false;
}

void FirmwareUpdate::OnFinished(int outcome, const QString& deviceVersion) {
    context_.firmwareVersion = deviceVersion;
    context_.updateBusy = false;
    const QString updateFail = QStringLiteral("update fail");
    switch (static_cast<UpdateOutcome>(outcome)) {
        case UpdateOutcome::Success:
            Tell(QStringLiteral("Update successfully."), QStringLiteral("Update successfully."));
            break;
        case UpdateOutcome::VersionError:
            Tell(QStringLiteral("Get version error."),
                 kind_ == Kind::Local ? QStringLiteral("读取版本失败.") : QStringLiteral("获得版本失败."));
            break;
        case UpdateOutcome::TransferFail: Tell(updateFail, updateFail); break;
        case UpdateOutcome::PageFail:
            Tell(QStringLiteral("Update fail."), QStringLiteral("Update fail."), kWarming);
            break;
        case UpdateOutcome::DownloadFail:
            Tell(QStringLiteral("The firmware files could not be downloaded; nothing was sent to the mixer."),
                 QStringLiteral("固件文件下载失败，没有向调音台发送任何数据。"), kWarming);
            break;
        case UpdateOutcome::Newest:
            Tell(QStringLiteral("Software is the newst."), QStringLiteral("软件已是最新版本."));
            break;
        case UpdateOutcome::SocketError: {
            const QString text = QString::fromStdString(LinkTextFor(LinkText::SocketError, language_));
            Tell(text, text, kWarming);
            break;
        }
        case UpdateOutcome::Stopped: break;
    }
    emit finished();
}

void FirmwareUpdate::TellBusy(int language) {
    language_ = language;
    Tell(QStringLiteral("Updateing......."), QStringLiteral("Updateing......."));
}

void FirmwareUpdate::Tell(const QString& english, const QString& chinese, const QString& caption) {
    if (!context_.notifier) return;
    context_.notifier->Show((language_ == 2 ? chinese : english).toStdString(), caption.toStdString());
}

}  // namespace mixer
