#include "console/value_display_view.h"

#include <QStyle>

#include "host/gbk_text.h"
#include "console/navigation_bar.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

namespace mixer {

namespace {

// Pixels a line edit keeps free between its frame and its text, cursor included.
constexpr int kLineEditInnerMargins = 6;
constexpr int kSmallestValuePixels = 12;

// The value in the box's font, made smaller only when the value would not fit
// whole (a five-digit frequency with its unit): a line edit shows too long a
// text scrolled, without its first digits.
void ShowValue(CTextField* box, const QString& text) {
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const int room = box->width() - 2 * frame - kLineEditInnerMargins;
    int pixels = kValueBoxFontPixels;
    QFont font = SkinFontPixels(pixels);
    while (pixels > kSmallestValuePixels && QFontMetrics(font).horizontalAdvance(text) > room) {
        font = SkinFontPixels(--pixels);
    }
    box->setFont(font);
    box->setText(text);
}

}  // namespace

void ShowValueDisplay(NavigationBar& nav, const ValueDisplayText& text) {
    nav.channelName->SetText(DecodeGbk(QByteArrayView(text.channelName.data(), qsizetype(text.channelName.size()))));
    if (!text.hasRow) return;
    nav.parameterName->SetText(QString::fromStdString(text.parameter));
    ShowValue(nav.valueBox1, QString::fromStdString(text.box1));
    ShowValue(nav.valueBox2, QString::fromStdString(text.box2));
}

std::string TypedText(const NavigationBar& nav, int box) {
    if (box == 0) return nav.valueBox1->text().toStdString();
    if (box == 1) return nav.valueBox2->text().toStdString();
    return {};
}

}  // namespace mixer
