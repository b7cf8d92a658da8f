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
    const SkinPixmap icon = LoadSkinPixmap(kIconImage);
    if (!icon.isNull()) {
        auto* iconLabel = new QLabel(this);
        // Scaled down from the densest picture there is to 32 logical pixels
        // at this screen's density, so a scaled display gets its detail.
        const qreal ratio = devicePixelRatioF();
        const int side = qRound(32 * ratio);
        QPixmap shown = icon.For(ratio).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        shown.setDevicePixelRatio(ratio);
        iconLabel->setPixmap(shown);
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
