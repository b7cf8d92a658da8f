#include "console/message_box_notifier.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>

namespace mixer {

namespace {

// The title bar's icon and its minimise, maximise and close buttons, with
// the padding around them, as common window managers draw them.
constexpr int kTitleBarFurniture = 140;

}  // namespace

int WidthForTitle(const QString& title) {
    // Title bars mostly set the title in bold.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarFurniture;
}

QMessageBox* MakeMessageBox(const QString& text, const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok);
    // A message box sets its own size whenever it lays itself out, from its
    // text and little more than the title's own width, so a short text left
    // the window manager too little room and it cut the title to "W… g". The
    // box never makes its text narrower than the text's least width, so that
    // is where the title's room goes. Without a caption the title bar shows
    // the program's name.
    const QString title = caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption;
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->setMinimumWidth(WidthForTitle(title));
    return box;
}

void MessageBoxNotifier::Show(const std::string& text, const std::string& caption) {
    // Shown without a nested event loop, so that the link keeps ticking and a
    // close request is never held up behind the box.
    QMessageBox* box = MakeMessageBox(QString::fromStdString(text), QString::fromStdString(caption));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace mixer
