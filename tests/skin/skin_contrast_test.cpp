// Every skin image that carries a caption, in every state a button shows it:
// the caption must read on what lies under it, and on a push button under the
// mouse too.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "skin/contrast.h"
#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_images.h"

using namespace mixer;

namespace {

struct CaptionedImages {
    int up;
    int down;
    QSize size;  // as the pages place them
    int points;
    const char* caption;
};

// The strip keys (and the NAME dialog's), the name button, the wide keys and
// the group buttons.
const CaptionedImages kCaptioned[] = {
    {165, 166, {100, 24}, 9, "MUTE"}, {193, 194, {100, 60}, 10, "CH 16"}, {167, 168, {96, 28}, 9, "MUTE"},
    {213, 214, {96, 28}, 9, "MUTE"},  {220, 219, {30, 30}, 9, "4"},
};

Rgb ToRgb(QRgb c) { return {qRed(c), qGreen(c), qBlue(c)}; }

// The lowest contrast between the caption colour and the image under the
// caption's box (centred, as the button draws it).
double WorstContrastUnderCaption(int image, QSize size, int points, const QString& text, const QColor& caption) {
    QImage face(size, QImage::Format_RGB32);
    face.fill(Qt::black);
    {
        QPainter p(&face);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRect(QPoint(0, 0), size), LoadResourceImage(image));
    }
    const QRect box = QFontMetrics(SkinFontPoints(points))
                          .boundingRect(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextSingleLine, text)
                          .intersected(face.rect());
    double worst = 21.0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            worst = std::min(worst, ContrastRatio(ToRgb(face.pixel(x, y)), {caption.red(), caption.green(), caption.blue()}));
        }
    }
    return worst;
}

}  // namespace

TEST(SkinContrast, CaptionsReadOnEveryStateOfTheirImages) {
    for (const CaptionedImages& images : kCaptioned) {
        SCOPED_TRACE(images.up);
        ASSERT_FALSE(LoadResourceImage(images.up).isNull());
        // Two-state buttons show the down image while engaged.
        CImageButton button;
        button.SetBehaviour(CImageButton::kTwoState);
        button.LoadImages(images.up, images.down);
        for (const bool down : {false, true}) {
            SCOPED_TRACE(down);
            button.SetDown(down);
            const int image = button.CurrentFace() == CImageButton::Face::Down ? images.down : images.up;
            EXPECT_GE(WorstContrastUnderCaption(image, images.size, images.points, QString::fromLatin1(images.caption),
                                                button.CurrentCaptionColour()),
                      kReadableContrast);
        }
    }
}

TEST(SkinContrast, APushButtonUnderTheMouseKeepsItsCaptionReadable) {
    CImageButton name;
    name.SetBehaviour(CImageButton::kPush);
    name.LoadImages(193, 194);
    name.resize(100, 60);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&name, &enter);
    ASSERT_TRUE(name.IsHovering());
    ASSERT_EQ(name.CurrentFace(), CImageButton::Face::Down);
    EXPECT_GE(WorstContrastUnderCaption(194, {100, 60}, 10, QStringLiteral("CH 16"), name.CurrentCaptionColour()),
              kReadableContrast);
}
