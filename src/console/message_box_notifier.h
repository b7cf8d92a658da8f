#pragma once
// The program's message boxes: plain and modal.

#include "link/notifier.h"

namespace mixer {

class MessageBoxNotifier : public Notifier {
public:
    void Show(const std::string& text, const std::string& caption) override;
};

}  // namespace mixer
