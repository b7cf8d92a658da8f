#pragma once
// The simulated mixer's settings and its command line.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

#include "link/link_state.h"
#include "sim/lossy_channel.h"

class QCommandLineParser;

namespace mixer {

struct SimOptions {
    std::string address = "127.0.0.2";
    uint16_t port = kDevicePort;
    std::string version = "12";       // two decimal digits, 12 reads as 1.2
    int meterRateHz = 20;
    bool verbose = false;
    // Faults for tests: the first full-state request that is answered, the
    // seconds after which a meter stream stops by itself (negative: never),
    // a mixer that never answers anything, the firmware block whose
    // acknowledgement is lost (negative: none), and a mixer that reports
    // every firmware image as failed.
    int answerFromRequest = 1;
    double stopMetersAfter = -1.0;
    bool neverAnswer = false;
    int dropAckOfBlock = -1;
    bool refuseFirmware = false;
    // The network between the mixer and the editor: faults of the datagrams
    // the mixer receives and of those it sends, and the seed of their draws.
    NetworkFaults incoming;
    NetworkFaults outgoing;
    uint64_t seed = 0;
    // Edits made at the mixer's own panel: files read at start-up, and
    // standard input as it comes.
    QStringList panelFiles;
    bool panelStdin = false;
};

inline constexpr int kMaxMeterRateHz = 100;

void AddSimOptions(QCommandLineParser& parser);

// Reads the options of a parsed command line into options; false with the
// reason in error for a value out of its range.
bool ReadSimOptions(const QCommandLineParser& parser, SimOptions& options, QString& error);

}  // namespace mixer
