#include "console/value_display_view.h"

#include "console/gbk_text.h"
#include "console/navigation_bar.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

namespace mixer {

void ShowValueDisplay(NavigationBar& nav, const ValueDisplayText& text) {
    nav.channelName->SetText(DecodeGbk(QByteArrayView(text.channelName.data(), qsizetype(text.channelName.size()))));
    if (!text.hasRow) return;
    nav.parameterName->SetText(QString::fromStdString(text.parameter));
    nav.valueBox1->setText(QString::fromStdString(text.box1));
    nav.valueBox2->setText(QString::fromStdString(text.box2));
}

std::string TypedText(const NavigationBar& nav, int box) {
    if (box == 0) return nav.valueBox1->text().toStdString();
    if (box == 1) return nav.valueBox2->text().toStdString();
    return {};
}

}  // namespace mixer
