#pragma once
// How the program shows a plain message box. The program shows a modal box;
// tests record what would have been shown, so that no box ever blocks a test.

#include <string>
#include <vector>

namespace mixer {

class Notifier {
public:
    virtual ~Notifier() = default;
    // text and caption are UTF-8; an empty caption is the program's default.
    virtual void Show(const std::string& text, const std::string& caption) = 0;
};

// Keeps every message instead of showing it.
class RecordingNotifier : public Notifier {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    void Show(const std::string& text, const std::string& caption) override { messages.push_back({text, caption}); }

    // The texts shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages) texts.push_back(m.text);
        return texts;
    }

    std::vector<Message> messages;
};

}  // namespace mixer
