#include "console/message_box_notifier.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>

namespace mixer {

namespace {

// The title bar's icon and its minimise, maximise and close buttons, with
// the padding around them, as common window managers draw them.
constexpr int kTitleBarFurniture = 140;

// A message box sizes itself by its text and allows the title little more
// than the title's own width, so a short text leaves the window manager too
// little room and it cuts the title down to "W… g". The box sets its size
// whenever it is shown; it is widened after that.
class TitleWideMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        // Without a caption the title bar shows the program's name.
        const QString title = windowTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : windowTitle();
        const int wide = WidthForTitle(title);
        if (width() < wide) setFixedWidth(wide);
    }
};

}  // namespace

int WidthForTitle(const QString& title) {
    // Title bars mostly set the title in bold.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarFurniture;
}

QMessageBox* MakeMessageBox(const QString& text, const QString& caption) {
    return new TitleWideMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok);
}

void MessageBoxNotifier::Show(const std::string& text, const std::string& caption) {
    // Shown without a nested event loop, so that the link keeps ticking and a
    // close request is never held up behind the box.
    QMessageBox* box = MakeMessageBox(QString::fromStdString(text), QString::fromStdString(caption));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace mixer
