#include "console/about_dlg.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "skin/skin_images.h"

namespace mixer {

namespace {
constexpr int kIconImage = 128;
// A generous title font and the room for the icon and the close button.
constexpr int kTitlePoints = 13;
constexpr int kTitleRoom = 140;
}

CAboutDlg::CAboutDlg(int language, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("VantorDIGITAL MIXER 1.1"));
    // Wide enough for the title bar to show the whole title beside its
    // buttons, whatever font the desktop gives it.
    setMinimumWidth(kTitleRoom + QFontMetrics(QFont(font().family(), kTitlePoints, QFont::Bold)).horizontalAdvance(windowTitle()));
    auto* row = new QHBoxLayout;
    const QPixmap icon = LoadResourceImage(kIconImage);
    if (!icon.isNull()) {
        auto* iconLabel = new QLabel(this);
        iconLabel->setPixmap(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        row->addWidget(iconLabel);
    }
    productLine_ = new QLabel(QStringLiteral("VantorDIGITAL MIXER1.1"), this);
    row->addWidget(productLine_, 1);
    ok_ = new QPushButton(language == 1 ? QStringLiteral("OK") : QStringLiteral("确定"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(ok_, 0, Qt::AlignRight);
}

}  // namespace mixer
