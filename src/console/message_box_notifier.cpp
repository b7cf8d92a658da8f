#include "console/message_box_notifier.h"

#include <QMessageBox>

namespace mixer {

void MessageBoxNotifier::Show(const std::string& text, const std::string& caption) {
    // Shown without a nested event loop, so that the link keeps ticking and a
    // close request is never held up behind the box.
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(caption),
                                QString::fromStdString(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace mixer
