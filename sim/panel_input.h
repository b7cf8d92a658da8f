#pragma once
// Where the simulated mixer's panel edits come from: files, read whole at
// start-up, and standard input, followed line by line as it arrives until it
// ends. Each line goes to a sink along with where it came from, "FILE:3" or
// "stdin:7", for messages about it.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "sim/line_splitter.h"

class QSocketNotifier;

namespace mixer {

class PanelInput {
public:
    using Sink = std::function<void(const QString& where, const std::string& line)>;

    explicit PanelInput(Sink sink);
    ~PanelInput();

    // Hands every line of the file to the sink; false with the reason in
    // error when it cannot be read.
    bool ReadFile(const QString& path, QString& error);
    // Hands the lines of standard input to the sink as the event loop sees
    // them come in.
    void FollowStdin();

private:
    void ReadStdin();
    void Hand(const QString& source, int& number, const std::string& line);

    Sink sink_;
    LineSplitter stdinLines_;
    int stdinLine_ = 0;
    std::unique_ptr<QSocketNotifier> stdinNotifier_;
};

}  // namespace mixer
