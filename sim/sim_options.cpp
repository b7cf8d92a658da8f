#include "sim/sim_options.h"

#include <QCommandLineParser>
#include <cmath>
#include <random>

#include "link/dotted_ipv4.h"

namespace mixer {

void AddSimOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Stands in for the mixer: answers the editor's full-state request, streams meter reports, "
        "applies every edit, answers the discovery probe and accepts firmware images.");
    parser.addHelpOption();
    parser.addOptions({
        {"address", "Local IPv4 address to listen on (default 127.0.0.2).", "ADDR", "127.0.0.2"},
        {"port", "UDP port to listen on; the editor uses the same one (default 5000).", "PORT", "5000"},
        {"version", "Firmware version reported, two decimal digits (default 12, shown as 1.2).", "TEXT", "12"},
        {"meter-rate", "Meter reports per second, 1 to 100 (default 20).", "HZ", "20"},
        {"verbose", "Print every message received and sent."},
        {"answer-from", "Answer the full-state request only from the N-th request on (default 1).", "N", "1"},
        {"stop-meters-after", "Stop a meter stream by itself after S seconds (default: never).", "S"},
        {"never-answer", "Receive everything and answer nothing."},
        {"drop-ack", "Never acknowledge firmware block N (counted from 0) of an image.", "N"},
        {"refuse-firmware", "Report every firmware image as failed (status 01)."},
        {"loss", "Lose each datagram, received or sent, with probability P (0 to 1, default 0).", "P", "0"},
        {"loss-in", "Lose each datagram the mixer receives with probability P; overrides --loss for them.", "P"},
        {"loss-out", "Lose each datagram the mixer sends with probability P; overrides --loss for them.", "P"},
        {"duplicate", "Deliver each datagram, received or sent, twice with probability P (0 to 1, default 0).", "P", "0"},
        {"reorder",
         "Hold back each datagram, received or sent, with probability P until the next one in its direction has "
         "passed, or 30 ms if none follows (0 to 1, default 0).",
         "P", "0"},
        {"seed", "Seed the draws of --loss, --duplicate and --reorder to replay a run (default: a fresh one, printed).",
         "N"},
        {"panel",
         "Apply edits as if made at the mixer's own panel, without a reply: commands as the editor sends them, one "
         "per line, checksum optional, from FILE (read at start-up) or from standard input (-). Can be repeated.",
         "FILE"},
    });
}

namespace {

// A probability option's value into p; false with the reason in error.
bool ReadProbability(const QCommandLineParser& parser, const QString& name, double& p, QString& error) {
    bool ok = false;
    p = parser.value(name).toDouble(&ok);
    if (!ok || !(p >= 0 && p <= 1)) {
        error = QStringLiteral("--%1 needs a probability from 0 to 1, such as 0.1").arg(name);
        return false;
    }
    return true;
}

bool ReadNetworkFaults(const QCommandLineParser& parser, SimOptions& o, QString& error) {
    NetworkFaults both;
    if (!ReadProbability(parser, "loss", both.loss, error) ||
        !ReadProbability(parser, "duplicate", both.duplicate, error) ||
        !ReadProbability(parser, "reorder", both.reorder, error))
        return false;
    o.incoming = o.outgoing = both;
    if (parser.isSet("loss-in") && !ReadProbability(parser, "loss-in", o.incoming.loss, error)) return false;
    if (parser.isSet("loss-out") && !ReadProbability(parser, "loss-out", o.outgoing.loss, error)) return false;
    if (!parser.isSet("seed")) {
        o.seed = (uint64_t{std::random_device{}()} << 32) | std::random_device{}();
        return true;
    }
    bool ok = false;
    o.seed = parser.value("seed").toULongLong(&ok);
    if (!ok) {
        error = "--seed needs a whole number from 0 to 18446744073709551615";
        return false;
    }
    return true;
}

}  // namespace

bool ReadSimOptions(const QCommandLineParser& parser, SimOptions& options, QString& error) {
    SimOptions o;
    o.address = parser.value("address").toStdString();
    if (!IsDottedIpv4(o.address)) {
        error = "--address needs a dotted IPv4 address such as 127.0.0.2";
        return false;
    }
    bool ok = false;
    const uint port = parser.value("port").toUInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        error = "--port needs a number from 1 to 65535";
        return false;
    }
    o.port = static_cast<uint16_t>(port);
    const QString version = parser.value("version");
    auto decimal = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (version.size() != 2 || !decimal(version[0]) || !decimal(version[1])) {
        error = "--version needs two decimal digits such as 12";
        return false;
    }
    o.version = version.toStdString();
    o.meterRateHz = parser.value("meter-rate").toInt(&ok);
    if (!ok || o.meterRateHz < 1 || o.meterRateHz > kMaxMeterRateHz) {
        error = "--meter-rate needs a number from 1 to 100";
        return false;
    }
    o.verbose = parser.isSet("verbose");
    o.answerFromRequest = parser.value("answer-from").toInt(&ok);
    if (!ok || o.answerFromRequest < 1) {
        error = "--answer-from needs a number from 1 on";
        return false;
    }
    if (parser.isSet("stop-meters-after")) {
        o.stopMetersAfter = parser.value("stop-meters-after").toDouble(&ok);
        if (!ok || !std::isfinite(o.stopMetersAfter) || o.stopMetersAfter < 0) {
            error = "--stop-meters-after needs a number of seconds, 0 or more";
            return false;
        }
    }
    o.neverAnswer = parser.isSet("never-answer");
    if (parser.isSet("drop-ack")) {
        o.dropAckOfBlock = parser.value("drop-ack").toInt(&ok);
        if (!ok || o.dropAckOfBlock < 0) {
            error = "--drop-ack needs a block number, 0 or more";
            return false;
        }
    }
    o.refuseFirmware = parser.isSet("refuse-firmware");
    if (!ReadNetworkFaults(parser, o, error)) return false;
    for (const QString& source : parser.values("panel")) {
        if (source.isEmpty()) {
            error = "--panel needs a file name, or - for standard input";
            return false;
        }
        if (source == QLatin1String("-")) o.panelStdin = true;
        else o.panelFiles << source;
    }
    options = o;
    return true;
}

}  // namespace mixer
