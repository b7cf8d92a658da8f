#pragma once
// The program's message boxes: plain and modal.

#include <QString>

#include "link/notifier.h"

class QMessageBox;

namespace mixer {

class MessageBoxNotifier : public Notifier {
public:
    void Show(const std::string& text, const std::string& caption) override;
};

// The box Show opens, not yet shown; once shown it is as wide as its title needs in
// the title bar beside the window manager's buttons.
QMessageBox* MakeMessageBox(const QString& text, const QString& caption);

// How wide a window must be for the window manager to show `title` whole.
int WidthForTitle(const QString& title);

}  // namespace mixer
