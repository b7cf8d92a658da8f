#pragma once
// The LOCAL and UPDATE commands of the system page: refuse a second update,
// take the link off the device port, then run the update on its worker and
// say how it ended. The link stays disconnected afterwards.

#include <QObject>
#include <QString>

#include "system/firmware_transfer.h"
#include "system/link_release.h"
#include "system/update_runner.h"

namespace mixer {

struct AppContext;

// The version of the image files that come with the program.
inline constexpr char kLocalFirmwareVersion[] = "12";

class FirmwareUpdate : public QObject {
    Q_OBJECT

public:
    enum class Kind { Local, Remote };
    enum class StartResult { Started, Busy, NoUpdatePage, BadAddress };

    explicit FirmwareUpdate(AppContext& context, QObject* parent = nullptr);
    ~FirmwareUpdate() override;

    // The command with the address field's text, messages in language.
    // Busy and NoUpdatePage are reported here; BadAddress is left to the
    // page, which owns that message.
    StartResult Start(Kind kind, const QString& address, int language);
    // Ends an update without a word, as when the window closes.
    void Stop();
    bool IsRunning() const { return linkRelease_.IsWaiting() || runner_.IsRunning(); }
    // What a command that must wait for the update says.
    void TellBusy(int language);

    void SetTiming(const TransferTiming& timing) { timing_ = timing; }

signals:
    void progressChanged(int position, int range);
    void versionsShown(const QString& device, const QString& offered, bool remote);
    // update busy is released; the message has been shown.
    void finished();

private:
    void Run();
    void OnFinished(int outcome, const QString& deviceVersion);
    void Tell(const QString& english, const QString& chinese, const QString& caption = {});

    AppContext& context_;
    UpdateRunner runner_;
    LinkRelease linkRelease_;
    Kind kind_ = Kind::Local;
    int language_ = 1;
    TransferTiming timing_;
};

}  // namespace mixer
