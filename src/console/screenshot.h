#pragma once
// Writes the console window to a PNG once it is up (and, when asked, once the
// link has connected), then closes the window the way a user does.

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace mixer {

class CMixerDlg;
class ConsoleLink;

// Renders the widget and writes it to file as a PNG under a temporary name
// that is renamed when complete. Returns an empty text or the reason it failed.
QString SaveScreenshot(QWidget& widget, const QString& file);

class ScreenshotTaker : public QObject {
    Q_OBJECT

public:
    // How long a connection may take before the picture is taken anyway.
    static constexpr int kConnectLimitMs = 20000;
    // Time for the first paint after the window is shown, or for the state and
    // meters to arrive after connecting.
    static constexpr int kSettleMs = 700;

    ScreenshotTaker(CMixerDlg& window, ConsoleLink& link, const QString& file, bool waitForConnection,
                    QObject* parent = nullptr);

    // Call once the window is shown.
    void Start();
    // Empty once the picture was written, else why it was not.
    QString Error() const { return error_; }

private:
    void OnIndicators();
    void Take();

    CMixerDlg& window_;
    ConsoleLink& link_;
    QString file_;
    bool waitForConnection_;
    bool taken_ = false;
    QString error_;
    QTimer settle_;
    QTimer limit_;
};

}  // namespace mixer
