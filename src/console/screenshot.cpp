#include "console/screenshot.h"

#include <QPixmap>
#include <QSaveFile>
#include <QTextStream>
#include <QWidget>

#include "host/console_link.h"
#include "console/mixer_dlg.h"

namespace mixer {

QString SaveScreenshot(QWidget& widget, const QString& file) {
    const QPixmap picture = widget.grab();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    if (!picture.save(&out, "PNG")) {
        out.cancelWriting();
        return QStringLiteral("the picture could not be encoded as PNG");
    }
    if (!out.commit()) return out.errorString();
    return {};
}

ScreenshotTaker::ScreenshotTaker(CMixerDlg& window, ConsoleLink& link, const QString& file, bool waitForConnection,
                                 QObject* parent)
    : QObject(parent), window_(window), link_(link), file_(file), waitForConnection_(waitForConnection) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &ScreenshotTaker::Take);
    limit_.setSingleShot(true);
    limit_.setInterval(kConnectLimitMs);
    connect(&limit_, &QTimer::timeout, this, [this] {
        QTextStream(stderr) << "mixer-editor: not connected after " << kConnectLimitMs / 1000
                            << " s; the screenshot shows the console offline\n";
        Take();
    });
}

void ScreenshotTaker::Start() {
    if (!waitForConnection_ || link_.IsConnected()) {
        settle_.start();
        return;
    }
    connect(&link_, &ConsoleLink::indicatorsChanged, this, &ScreenshotTaker::OnIndicators);
    limit_.start();
}

void ScreenshotTaker::OnIndicators() {
    if (!link_.IsConnected() || settle_.isActive() || taken_) return;
    limit_.stop();
    settle_.start();
}

void ScreenshotTaker::Take() {
    if (taken_) return;
    taken_ = true;
    settle_.stop();
    limit_.stop();
    error_ = SaveScreenshot(window_, file_);
    if (error_.isEmpty()) {
        QTextStream(stdout) << "Wrote the console to " << file_ << "\n";
    } else {
        QTextStream(stderr) << "mixer-editor: cannot write the screenshot to " << file_ << ": " << error_ << "\n";
    }
    window_.close();
}

}  // namespace mixer
