#include "sim/panel_input.h"

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <unistd.h>
#include <utility>
#include <vector>

#include "link/wire_format.h"

namespace mixer {

namespace {

constexpr qint64 kChunk = 4096;

}  // namespace

PanelInput::PanelInput(Sink sink) : sink_(std::move(sink)), stdinLines_(kMaxMessageLength) {}

PanelInput::~PanelInput() = default;

bool PanelInput::ReadFile(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read panel file %1: %2").arg(path, file.errorString());
        return false;
    }
    LineSplitter splitter(kMaxMessageLength);
    std::vector<std::string> lines;
    int number = 0;
    char buffer[kChunk];
    qint64 got = 0;
    while ((got = file.read(buffer, kChunk)) > 0) {
        lines.clear();
        splitter.Feed(std::string_view(buffer, static_cast<std::size_t>(got)), lines);
        for (const std::string& line : lines) Hand(path, number, line);
    }
    if (got < 0) {
        error = QStringLiteral("cannot read panel file %1: %2").arg(path, file.errorString());
        return false;
    }
    if (const auto last = splitter.Finish()) Hand(path, number, *last);
    return true;
}

void PanelInput::FollowStdin() {
    stdinNotifier_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(stdinNotifier_.get(), &QSocketNotifier::activated, [this] { ReadStdin(); });
}

void PanelInput::ReadStdin() {
    char buffer[kChunk];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (got <= 0) {
        // The end of the input, or an input that cannot be read: the mixer
        // carries on without its panel.
        stdinNotifier_->setEnabled(false);
        if (const auto last = stdinLines_.Finish()) Hand("stdin", stdinLine_, *last);
        return;
    }
    std::vector<std::string> lines;
    stdinLines_.Feed(std::string_view(buffer, static_cast<std::size_t>(got)), lines);
    for (const std::string& line : lines) Hand("stdin", stdinLine_, line);
}

void PanelInput::Hand(const QString& source, int& number, const std::string& line) {
    sink_(QStringLiteral("%1:%2").arg(source).arg(++number), line);
}

}  // namespace mixer
