#include "console/navigation_bar.h"

#include <QWidget>

#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "console/sync_mark_view.h"

namespace mixer {

namespace {

// Skin images of the navigation bar.
constexpr int kLogoImage = 180;
constexpr int kPageButtonUp = 183;
constexpr int kPageButtonDown = 184;
constexpr int kConnectionUp = 182;
constexpr int kConnectionDown = 181;
constexpr int kHomeImage = 208;
constexpr int kGroupButtonUp = 220;
constexpr int kGroupButtonDown = 219;
constexpr int kKeyUp = 165;
constexpr int kKeyDown = 166;

constexpr std::array<int, 4> kPageButtonX = {190, 300, 580, 690};
constexpr std::array<int, 4> kPageBars = {8, 8, 2, 6};

CSkinLabel* Label(QWidget* parent, int x, int y, int w, int h) {
    auto* label = new CSkinLabel(parent);
    label->setGeometry(x, y, w, h);
    label->SetAlignment(Qt::AlignCenter);
    return label;
}

CImageButton* Button(QWidget* parent, int x, int y, int w, int h, int up, int down) {
    auto* button = new CImageButton(parent);
    button->setGeometry(x, y, w, h);
    button->SetBehaviour(CImageButton::kTwoState);
    button->LoadImages(up, down);
    return button;
}

// Box 0 or 1: the id its Enter reports.
CTextField* ValueBox(QWidget* parent, int x, int number) {
    auto* box = new CTextField(parent, number);
    box->setGeometry(x, 30, 80, 30);
    box->setFont(SkinFontPixels(kValueBoxFontPixels));
    box->SetTextColour(Qt::white);
    box->SetBackgroundColour(Qt::black);
    box->SetFocusColour(Qt::black);
    return box;
}

struct Caption {
    const char* english;
    const char* chinese;
    QString In(int language) const { return QString::fromUtf8(language == 1 ? english : chinese); }
};

constexpr std::array<Caption, 4> kPageCaptions = {
    Caption{"CH1-8", "通道1-8"}, Caption{"CH9-16", "通道9-16"}, Caption{"EFFECT", "效果"}, Caption{"AUX", "辅组输出"}};

}  // namespace

NavigationBar::NavigationBar(QWidget* parent) {
    logo = Label(parent, 0, 10, 150, 30);
    logo->SetImage(kLogoImage);

    for (int i = 0; i < 4; ++i) {
        pageButtons[i] = Button(parent, kPageButtonX[i], 5, 100, 60, kPageButtonUp, kPageButtonDown);
        pageButtons[i]->SetShowCaption(false);
        pageButtons[i]->EnableOverview(true);
        pageButtons[i]->SetOverviewBarCount(kPageBars[i]);
        pageLabels[i] = Label(parent, kPageButtonX[i], 65, 100, 24);
    }

    channelName = Label(parent, 410, 0, 160, 30);
    valueBox1 = ValueBox(parent, 410, 0);
    valueBox2 = ValueBox(parent, 490, 1);
    parameterName = Label(parent, 410, 60, 160, 30);

    connection = Button(parent, 870, 10, 54, 45, kConnectionUp, kConnectionDown);
    connection->SetShowCaption(false);
    connectionLabel = Label(parent, 860, 60, 80, 30);
    syncMark = new SyncMarkView(parent);
    syncMark->setGeometry(927, 18, 14, 14);
    home = Button(parent, 950, 10, 54, 45, kHomeImage, kHomeImage);
    home->SetShowCaption(false);
    homeLabel = Label(parent, 940, 60, 80, 30);

    for (int i = 0; i < 4; ++i) {
        const int x = i % 2 == 0 ? 0 : 40;
        const int y = i < 2 ? 0 : 35;
        muteGroupButtons[i] = Button(parent, 1030 + x, y, 30, 30, kGroupButtonUp, kGroupButtonDown);
        muteGroupButtons[i]->setText(QString::number(i + 1));
        controlGroupButtons[i] = Button(parent, 1170 + x, y, 30, 30, kGroupButtonUp, kGroupButtonDown);
        controlGroupButtons[i]->setText(QString::number(i + 1));
    }
    muteGroupLabel = Label(parent, 1010, 70, 120, 30);
    controlGroupLabel = Label(parent, 1130, 70, 160, 30);

    undo = Button(parent, 1300, 12, 90, 26, kKeyUp, kKeyDown);
    redo = Button(parent, 1300, 48, 90, 26, kKeyUp, kKeyDown);
    for (CImageButton* button : {undo, redo}) {
        button->SetBehaviour(CImageButton::kPush);
        button->SetDisabledLook(true);
        button->setEnabled(false);
    }
}

void NavigationBar::SetCaptions(int language) {
    if (language != 1 && language != 2) return;
    for (int i = 0; i < 4; ++i) pageLabels[i]->SetText(kPageCaptions[i].In(language));
    channelName->SetText(Caption{"CH1", "通道1"}.In(language));
    parameterName->SetText(Caption{"MUTE", "静音"}.In(language));
    homeLabel->SetText(Caption{"HOME", "主页"}.In(language));
    muteGroupLabel->SetText(Caption{"MUTE GROUP", "静音分组"}.In(language));
    controlGroupLabel->SetText(Caption{"CONTROL GROUP", "控制分组"}.In(language));
    undo->setText(Caption{"UNDO", "撤销"}.In(language));
    redo->setText(Caption{"REDO", "重做"}.In(language));
}

void NavigationBar::SetStatus(int language, bool online) {
    if (language != 1 && language != 2) return;
    connectionLabel->SetText(online ? Caption{"ONLINE", "在线"}.In(language) : Caption{"OFFLINE", "离线"}.In(language));
}

void NavigationBar::SetPressedPage(int page) {
    for (int i = 0; i < 4; ++i) pageButtons[i]->SetDown(i + 1 == page);
}

void NavigationBar::SetOverview(int page, const std::vector<OverviewEntry>& entries) {
    if (page < 1 || page > 4) return;
    CImageButton* button = pageButtons[page - 1];
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        button->SetOverviewLevel(i, entries[i].bar);
        button->SetOverviewMute(i, entries[i].muted);
    }
}

}  // namespace mixer
