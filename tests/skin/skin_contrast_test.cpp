// Every skin image that carries a caption, in every state a button shows it:
// the caption must read on what lies under it, and on a push button under the
// mouse too.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>

#include <QHash>

#include <algorithm>
#include <vector>

#include "skin/contrast.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
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

// How a caption reads as drawn: the commonest colour of its box is what lies
// behind it, and the pixel of the box furthest from that in contrast is its
// text. A box with no text gives 1.
double ShownContrast(const QImage& shot, const QRect& box) {
    QHash<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) ++counts[shot.pixel(x, y)];
    QRgb behind = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            behind = it.key();
            most = it.value();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) best = std::max(best, ContrastRatio(ToRgb(behind), ToRgb(it.key())));
    return best;
}

}  // namespace

// The meters' captions and "Peak" marks as the pages and MAIN's strip set
// them up, in both languages, with the bars unlit, half lit and full, over a
// dark and a bright page.
TEST(SkinContrast, MeterCaptionsAndPeakMarksReadAtEveryLevel) {
    struct Meter {
        int columns;
        QSize size;
        int top;
        std::vector<const char*> captions;
    };
    const Meter meters[] = {
        {3, {120, 260}, 10, {"IN", "GR", "OUT"}},
        {3, {120, 260}, 10, {"输入", "衰减", "输出"}},
        {4, {216, 560}, 10, {"R IN", "D IN", "R OUT", "D OUT"}},
        {4, {216, 560}, 10, {"混响入", "延时入", "混响出", "延时出"}},
        {1, {24, 370}, 16, {}},  // one of MAIN's two
    };
    for (const Meter& m : meters) {
        SCOPED_TRACE(m.captions.empty() ? "MAIN" : m.captions[0]);
        CLevelMeter meter;
        meter.SetColumnCount(m.columns);
        meter.SetMargins(m.top, 0);
        meter.SetStyle(1, CLevelMeter::kSolid);
        meter.SetBackgroundColour(QColor(14, 16, 22));
        for (std::size_t i = 0; i < m.captions.size(); ++i) meter.SetCaption(static_cast<int>(i), QString::fromUtf8(m.captions[i]));
        meter.resize(m.size);
        for (const QColor page : {QColor(Qt::black), QColor(Qt::white)}) {
            for (const double level : {0.0, 30.0, 50.0}) {
                SCOPED_TRACE(level);
                for (int i = 0; i < m.columns; ++i) meter.SetValue(i, level);
                QImage shot(m.size, QImage::Format_RGB32);
                shot.fill(page);
                meter.render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
                for (int i = 0; i < m.columns; ++i) {
                    const MeterSpan span = meter.ColumnSpan(i);
                    const int width = span.right - span.left + 1;
                    EXPECT_GE(ShownContrast(shot, QRect(span.left, 0, width, m.top)), kReadableContrast) << "Peak " << i;
                    if (m.captions.empty()) continue;
                    const QRect caption(span.left, m.size.height() - CLevelMeter::kCaptionBand, width, CLevelMeter::kCaptionBand);
                    EXPECT_GE(ShownContrast(shot, caption), kReadableContrast) << "caption " << i;
                }
            }
        }
    }
}

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
