#pragma once
// The program's single instances: the mixer state and the settings every page
// shares. The application creates one and hands it by reference to the window
// and the pages; a test may build as many as it likes.

#include <QLocale>
#include <QString>
#include <array>

#include "host/console_modes.h"
#include "host/device_address.h"
#include "host/editor_options.h"
#include "host/sync_status.h"
#include "link/mixer_state.h"
#include "model/group_tables.h"
#include "model/mixer_model.h"

namespace mixer {

class ConsoleLink;
class Notifier;
class OscControl;
class PresetStore;
class RemoteServer;

inline constexpr int kRestrictionCount = 28;  // LIMIT toggles: 16 channels, 7 outputs, 5 functions

struct AppContext {
    // The mixer's state is the model's: read it here, change it through the model.
    MixerModel model;
    const MixerState& state = model.State();
    int language = 2;                         // 1 English, 2 Chinese; the window may switch it
    int view = kViewConsole;                  // console, input detail or output detail
    int activeMuteGroup = 0;                  // 0 none, 1..4
    int activeViewGroup = 0;                  // 0 none, 1..4; page buttons do nothing meanwhile
    std::array<int, 4> controlGroupEnabled{};
    GroupTables groups;                       // the user's groups, kept in the profile
    QString deviceAddress = QString::fromLatin1(kDefaultDeviceAddress);
    int spanTimeMs = 100;                     // least interval between sends while a curve point is dragged
    bool updateBusy = false;                  // a firmware transfer is running
    int resyncMs = kDefaultResyncMs;          // full-state request period while connected, 0 off
    QString firmwareVersion;                  // as the mixer last reported it; empty until asked
    QString dataDir;                          // preset database, scenes, firmware images
    QString profileFile;                      // keeps the mixer's address
    QString updateUrl;                        // the firmware update page
    PresetStore* presets = nullptr;           // the preset database, closed when the window closes
    ConsoleLink* link = nullptr;              // the device link, set by the console window
    OscControl* osc = nullptr;                // the OSC server, set by the application; none in most tests
    RemoteServer* remote = nullptr;           // the web remote; none in tests that do not use it
    Notifier* notifier = nullptr;             // message boxes; none in tests that do not look
    QString bindAddress;                      // local address of the link and the search; empty: every address
    int port = kDefaultPort;                  // the device port, bound locally too
    std::array<int, kRestrictionCount> restrictions{};  // LIMIT toggles, 0 or 1, for this session only
};

// Fills a context from the options: data directory (the program's directory
// when none is given), profile path (mixer-editor.ini in the data directory
// when none is given), update page, and the language by StartLanguage from
// the options, the profile and the desktop's locale.
void ApplyOptions(AppContext& context, const EditorOptions& options, const QString& programDir,
                  const QLocale& desktop = QLocale::system());

// Every state value to 0 and every channel named in the context's language.
void InitialiseState(AppContext& context);

// The resync period kept in the profile (section "U_FONT_SECTION", key
// "resync", in seconds), or nothing when there is none or it is not valid.
std::optional<int> ProfileResyncMs(const QString& profileFile);
// Keeps the period in the profile; false when the file could not be written.
bool StoreProfileResyncMs(const QString& profileFile, int ms);

// Reads the mixer's address from the profile (section "U_FONT_SECTION", key
// "hostip") by the rule of DeviceAddressFromProfile.
void ReadDeviceAddress(AppContext& context);

}  // namespace mixer
