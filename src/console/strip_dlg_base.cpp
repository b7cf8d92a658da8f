#include "console/strip_dlg_base.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "link/meter_report.h"
#include "pages/curves/eq_graph.h"
#include "presets/name_dialog.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/menu_ex.h"
#include "skin/menu_resources.h"
#include "skin/skin_images.h"

namespace mixer {

namespace {

constexpr int kKeyUp = 165;
constexpr int kKeyDown = 166;
constexpr int kNameUp = 193;
constexpr int kNameDown = 194;
constexpr int kNameCaptionPoints = 10;
constexpr int kFaderTrack = 191;
constexpr int kFaderCapHeld = 209;
constexpr int kPanTrack = 185;
constexpr int kPanTrackLit = 186;
constexpr int kPanKnob = 187;
constexpr int kUnityLevel = 60;  // 0 dB, the accented mark of the fader scale

}  // namespace

StripDlgBase::StripDlgBase(AppContext& context, StripHost& host, int index, int background, QWidget* parent)
    : StripView(parent),
      context_(context),
      host_(host),
      index_(index),
      background_(background),
      thumbnail_(new CEqGraph(this)),
      nameButton_(new CImageButton(this)),
      nameMenu_(new CMenuEx(this)) {
    // Every pixel is painted here: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The thumbnail only shows the curve: every press on it opens the page
    // where the curve is edited.
    thumbnail_->installEventFilter(this);
    thumbnail_->setCursor(Qt::PointingHandCursor);
    thumbnail_->setFocusPolicy(Qt::NoFocus);

    nameButton_->SetBehaviour(CImageButton::kPush);
    nameButton_->SetCaptionSize(kNameCaptionPoints);
    // Names fill their 15 bytes: every one must be read whole on its strip.
    nameButton_->SetCaptionFits(true);
    nameButton_->resize(kNamePlace.width, kNamePlace.height);
    nameButton_->LoadImages(kNameUp, kNameDown);
    connect(nameButton_, &QAbstractButton::clicked, this, [this] { OpenNameMenu(QCursor::pos()); });

    nameMenu_->LoadMenu(kChannelNameMenu);
    connect(NameMenu(), &QMenu::triggered, this, [this](QAction* action) {
        if (CMenuEx::CommandOf(action) == kCmdChannelName) OpenNameDialog();
    });
    // Hidden strips follow too, so that a page shows current values the moment it is switched to.
    connect(&context_.model, &MixerModel::changed, this, [this](const ChangeSet& changes) {
        if (const uint32_t parts = ChangedParts(changes)) OnStateChanged(parts);
    });
}

void StripDlgBase::SetIndex(int index) {
    index_ = index;
    RefreshFromState();
}

void StripDlgBase::SetBadge(int image) {
    if (image == background_) return;
    background_ = image;
    update();
}

CMenuEx* StripDlgBase::NameMenu() const {
    CMenuEx* popup = nameMenu_->SubMenu(0);
    return popup ? popup : nameMenu_;
}

void StripDlgBase::OpenNameMenu(const QPoint& globalPos) {
    // Not exec(): a nested event loop would hold up everything else the
    // window does (meters, the link) while the menu is open.
    NameMenu()->popup(globalPos);
}

void StripDlgBase::OpenNameDialog() {
    NameField* field = Name();
    if (!field) return;
    auto* dialog = new CNameDlg(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetLabels(context_.language);
    dialog->SetName(DecodeGbkName(*field));
    // Window-modal, so the strip stays on its channel until the dialog closes.
    connect(dialog, &QDialog::accepted, this, [this, dialog] { ApplyName(dialog->Name()); });
    dialog->open();
}

void StripDlgBase::ApplyName(const QString& name) {
    NameField* field = Name();
    if (field) context_.model.Change([&](MixerState&) { SetGbkName(*field, name); });
}

QString StripDlgBase::NameText() const { return nameButton_->text(); }

void StripDlgBase::SetNameMenuLanguage(int language) { nameMenu_->SetLanguage(language); }

void StripDlgBase::ShowName() {
    NameField* field = Name();
    nameButton_->setText(field ? DecodeGbkName(*field) : QString());
    nameButton_->setToolTip(nameButton_->text());
}

CImageButton* StripDlgBase::MakeButton(bool twoState) {
    auto* button = new CImageButton(this);
    button->SetBehaviour(twoState ? CImageButton::kTwoState : CImageButton::kPush);
    button->resize(kButtonWidth, kButtonHeight);
    button->LoadImages(kKeyUp, kKeyDown);
    return button;
}

CBitmapSlider* StripDlgBase::MakeFader(int capImage) {
    auto* fader = new CBitmapSlider(this, kFaderId);
    fader->SetVertical(true);
    fader->SetTrackBitmaps(kFaderTrack);
    fader->SetThumbBitmaps(capImage, kFaderCapHeld);
    fader->SetRange(0, kFaderPositionMax);
    fader->SetPos(kFaderPositionMax);
    // The dB scale, where the fader mapping puts each level at any length.
    struct ScaleMark {
        int level;
        const char* text;
    };
    constexpr ScaleMark kScale[] = {{70, "+10"}, {65, "+5"}, {60, "0"}, {55, "-5"},        {50, "-10"},
                                    {40, "-20"}, {30, "-30"}, {20, "-40"}, {0, "-\u221E"}};
    std::vector<CBitmapSlider::Mark> marks;
    for (const ScaleMark& m : kScale) {
        marks.push_back({FaderPositionFromLevel(m.level), QString::fromUtf8(m.text), m.level == kUnityLevel});
    }
    fader->SetMarks(std::move(marks));
    return fader;
}

CBitmapSlider* StripDlgBase::MakePan() {
    auto* pan = new CBitmapSlider(this, kPanId);
    pan->SetTrackBitmaps(kPanTrack, kPanTrackLit);
    pan->SetThumbBitmaps(kPanKnob);
    pan->SetRange(0, kPanMax);
    pan->SetPos(kPanCentre);
    return pan;
}

CLevelMeter* StripDlgBase::MakeMeter() {
    auto* meter = new CLevelMeter(this);
    meter->SetColumnCount(1);
    meter->SetRange(0, 0, kMeterBarMax);
    return meter;
}

void StripDlgBase::PlaceButton(QWidget* control, int top, int width) {
    control->move(CentredLeft(width, control->width()), top);
}

bool StripDlgBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched != thumbnail_) return StripView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) OpenModule(kThumbnailModule);
        return true;
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

void StripDlgBase::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), LoadBackground(background_), event->region())) p.fillRect(rect(), QColor(44, 48, 56));
    PaintFrame(p, rect(), event->region());
}

void StripDlgBase::resizeEvent(QResizeEvent*) { LayOutAll(); }

int StripDlgBase::Growth() const { return std::max(0, height() - kMinStripHeight); }

void StripDlgBase::LayOutAll() {
    const PageRect thumb = ThumbnailRect(width(), kThumbnailPlace);
    thumbnail_->setGeometry(thumb.x, thumb.y, thumb.width, thumb.height);
    PlaceButton(nameButton_, kNamePlace.y + Growth(), width());
    LayOut(width(), Growth());
}

void StripDlgBase::showEvent(QShowEvent*) { RefreshFromState(); }

}  // namespace mixer
