#include "system/system_dlg.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QSettings>
#include <QTableWidget>

#include "host/app_context.h"
#include "host/console_link.h"
#include "host/gbk_text.h"
#include "host/osc_settings.h"
#include "link/dotted_ipv4.h"
#include "link/link_texts.h"
#include "link/notifier.h"
#include "skin/image_button.h"
#include "skin/menu_ex.h"
#include "skin/menu_resources.h"
#include "skin/skin_font.h"
#include "skin/skin_images.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "system/firmware_update.h"
#include "system/link_release.h"
#include "system/remote_tab.h"
#include "system/scene_fader.h"
#include "system/scene_store.h"
#include "system/show_settings.h"
#include "system/span_time.h"
#include "system/upload_all.h"

namespace mixer {

namespace {

constexpr int kBackground = 188;
constexpr int kButtonUp = 165;
constexpr int kButtonDown = 166;
constexpr int kSceneUp = 220;
constexpr int kSceneDown = 219;
constexpr int kFieldFontPixels = 12;
// The outputs the LIMIT toggles name: MAIN, then AUX 1..6 (record 1 is MAIN's partner).
constexpr std::array<int, CSystemDlg::kOutputToggles> kToggleBuses = {0, 2, 3, 4, 5, 6, 7};
constexpr std::array<const char*, CSystemDlg::kFunctionToggles> kFunctionCaptions = {"EFFECT", "SOLO", "MUTE",
                                                                                     "GROUP", "SHOW"};
// Tab buttons from left to right, by the tab they open.
constexpr std::array<int, 5> kTabX = {100, 700, 300, 500, 900};  // CONNECT, LIMIT, SHOW, HELP, REMOTE

struct Caption {
    const char* english;
    const char* chinese;
    QString For(int language) const { return QString::fromUtf8(language == 1 ? english : chinese); }
};

constexpr std::array<Caption, 5> kTabCaptions = {
    {{"CONNECT", "连接"}, {"LIMIT", "LIMIT"}, {"SHOW", "演示"}, {"HELP", "帮助"}, {"REMOTE", "远程"}}};
// Below the tab buttons, where the other tabs place their controls.
constexpr QRect kRemoteTabArea(60, 90, 1000, 560);
constexpr Caption kSection{"DEVICE SETTING", "设备设置"};
constexpr Caption kSpan{"SPAN TIME:", "时间间隔:"};
constexpr Caption kAddress{"IP:", "设备IP:"};
constexpr Caption kResync{"RESYNC (s):", "同步间隔(秒):"};
constexpr Caption kBadResync{"The resync period must be seconds from 0.1 to 3600, or 0 to never compare with the mixer.",
                             "同步间隔必须是0.1到3600秒，或0（不与调音台核对）。"};
constexpr Caption kOk{"OK", "确定"};
constexpr Caption kSearch{"Search", "搜索"};
constexpr Caption kOffline{"OFFLINE", "离线"};
constexpr Caption kLanguage{"LANGUAGE:", "语言:"};
constexpr Caption kOscPort{"OSC PORT:", "OSC端口:"};
constexpr Caption kOn{"ON", "开启"};
constexpr Caption kOff{"OFF", "关闭"};
constexpr Caption kBadOscPort{"The OSC port must be a number from 1 to 65535.", "OSC端口必须是1到65535之间的数字。"};
constexpr Caption kSave{"SAVE", "保存"};
constexpr Caption kFade{"FADE TIME (s):", "淡变时间(秒):"};
constexpr Caption kSafes{"RECALL SAFE (a name: all of it)", "调用保护（点名称：整行/整列）"};
constexpr std::array<Caption, kSafeKindCount> kSafeKindCaptions = {{{"FADER/MUTE", "推子/静音"},
                                                                    {"PAN", "声像"},
                                                                    {"EQ", "均衡"},
                                                                    {"DYNAMICS", "动态"},
                                                                    {"SENDS", "发送"},
                                                                    {"EFFECTS", "效果"},
                                                                    {"PHANTOM", "幻象电源"}}};
constexpr std::array<Caption, kSafeRowCount - kDelayReturn> kSafeOutputCaptions = {{{"DLY", "延时"},
                                                         {"REV", "混响"},
                                                         {"MAIN", "主出"},
                                                         {"AUX1", "辅1"},
                                                         {"AUX2", "辅2"},
                                                         {"AUX3", "辅3"},
                                                         {"AUX4", "辅4"},
                                                         {"AUX5", "辅5"},
                                                         {"AUX6", "辅6"}}};
constexpr Caption kReset{"RESET", "复位"};
constexpr Caption kLocal{"LOCAL", "本地升级"};
constexpr Caption kUpdate{"UPDATE", "远程升级"};
constexpr Caption kCurrentVersion{"Current version：%1", "当前版本：%1"};
constexpr Caption kLocalVersion{"Local version：%1", "本地升级版本：%1"};
constexpr Caption kRemoteVersion{"Remote version：%1", "最新升级版本：%1"};
constexpr Caption kBadAddress{"The address must be four numbers from 0 to 255 joined by dots, such as 192.168.1.106.",
                              "设备IP必须是用点隔开的四个0到255的数字，例如192.168.1.106。"};
constexpr Caption kNoOrigin{
    "No network address to search from: this computer has no IPv4 network that is up, other than loopback.",
    "无法搜索：这台电脑没有已启用的IPv4网络（回环网络除外）。"};
constexpr std::array<const char*, 4> kListHeaders = {"DEVICE IP", "PORT", "USERNAME1", "USERNAME2"};
constexpr std::array<int, 4> kListWidths = {150, 100, 100, 100};

CImageButton* MakeButton(QWidget* parent, int x, int y, int w, int h, int up = kButtonUp, int down = kButtonDown) {
    auto* button = new CImageButton(parent);
    button->setGeometry(x, y, w, h);
    button->SetBehaviour(CImageButton::kTwoState);
    button->LoadImages(up, down);
    return button;
}

CImageButton* MakePushButton(QWidget* parent, int x, int y, int w, int h) {
    CImageButton* button = MakeButton(parent, x, y, w, h);
    button->SetBehaviour(CImageButton::kPush);
    return button;
}

CSkinLabel* MakeCaption(QWidget* parent, int x, int y, int w, int h) {
    auto* label = new CSkinLabel(parent);
    label->setGeometry(x, y, w, h);
    return label;
}

CTextField* MakeField(QWidget* parent, int x, int y) {
    auto* field = new CTextField(parent);
    field->setGeometry(x, y, 120, 24);
    field->setFont(SkinFontPixels(kFieldFontPixels));
    field->SetBackgroundColour(QColor(240, 240, 240));
    field->SetFocusColour(QColor(255, 255, 255));
    return field;
}

QProgressBar* MakeProgress(QWidget* parent, int x, int y, int w, int h) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(x, y, w, h);
    bar->setTextVisible(false);
    return bar;
}

// A version text as the mixer and the firmware files give it: tenths, "12" is 1.2.
QString VersionNumber(const QString& text) { return QString::number(text.toInt() * 0.1, 'f', 1); }

}  // namespace

CSystemDlg::CSystemDlg(AppContext& context, QWidget* parent)
    : PageView(parent),
      context_(context),
      linkRelease_(new LinkRelease(this)),
      updater_(new FirmwareUpdate(context, this)),
      offeredVersion_(QString::fromLatin1(kLocalFirmwareVersion)),
      safes_(ProfileRecallSafes(context.profileFile)),
      fader_(new SceneFader(context.model, this)),
      sceneMenu_(new CMenuEx(this)) {
    // Every pixel is painted here: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_[tab] = MakeButton(this, kTabX[tab], 50, 100, 24);
        connect(tabs_[tab], &QAbstractButton::clicked, this, [this, tab] { ShowTab(tab); });
    }
    BuildConnectTab();
    BuildLimitTab();
    BuildShowTab();
    BuildHelpTab();
    remoteTab_ = new CRemoteTab(context_, this);
    remoteTab_->setGeometry(kRemoteTabArea);

    discovery_.SetLocal(context_.bindAddress, static_cast<quint16>(context_.port));
    connect(&discovery_, &DeviceDiscovery::deviceFound, this, &CSystemDlg::AddListRow);
    connect(&discovery_, &DeviceDiscovery::progressChanged, scanProgress_, &QProgressBar::setValue);
    connect(&discovery_, &DeviceDiscovery::scanFinished, scanProgress_, &QWidget::hide);
    if (context_.link) {
        connect(context_.link, &ConsoleLink::indicatorsChanged, this, &CSystemDlg::RefreshConnectButton);
        // The mixer's version comes with its full-state reply, which may
        // arrive while the page is open.
        connect(context_.link, &ConsoleLink::stateReplyApplied, this, &CSystemDlg::RefreshVersionLabels);
    }
    connect(updater_, &FirmwareUpdate::progressChanged, this, [this](int position, int range) {
        transferProgress_->setRange(0, range);
        transferProgress_->setValue(position);
    });
    connect(updater_, &FirmwareUpdate::versionsShown, this, [this](const QString&, const QString& offered, bool remote) {
        offeredVersion_ = offered;
        offeredRemote_ = remote;
        RefreshVersionLabels();
    });
    connect(updater_, &FirmwareUpdate::finished, this, [this] {
        RefreshVersionLabels();
        RefreshConnectButton();
    });

    SetLabels(1);
    ShowTab(kTabConnect);
}

CSystemDlg::~CSystemDlg() = default;

void CSystemDlg::BuildConnectTab() {
    sectionCaption_ = MakeCaption(this, 350, 120, 200, 24);
    sectionCaption_->SetAlignment(Qt::AlignCenter);
    spanCaption_ = MakeCaption(this, 200, 170, 100, 24);
    spanField_ = MakeField(this, 400, 170);
    spanOk_ = MakePushButton(this, 600, 170, 100, 24);
    addressCaption_ = MakeCaption(this, 200, 200, 100, 24);
    addressField_ = MakeField(this, 400, 200);
    // Room for a dotted address and a little more, so that a mistyped one is seen whole.
    addressField_->setMaxLength(32);
    addressOk_ = MakePushButton(this, 600, 200, 100, 24);
    search_ = MakePushButton(this, 200, 230, 100, 24);
    connect_ = MakeButton(this, 400, 230, 100, 24);
    offline_ = MakePushButton(this, 600, 230, 100, 24);

    list_ = new QTableWidget(0, 4, this);
    list_->setGeometry(100, 270, 600, 200);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionsMovable(true);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < 4; ++column) {
        list_->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromLatin1(kListHeaders[column])));
        list_->setColumnWidth(column, kListWidths[column]);
    }
    scanProgress_ = MakeProgress(this, 100, 470, 600, 20);
    scanProgress_->setRange(0, kLastScanHost);
    resyncCaption_ = MakeCaption(this, 200, 585, 160, 24);
    resyncField_ = MakeField(this, 400, 585);
    resyncField_->setMaxLength(12);
    resyncOk_ = MakePushButton(this, 600, 585, 100, 24);
    languageCaption_ = MakeCaption(this, 200, 510, 100, 24);
    // Each language is named in its own words, so that either reader finds theirs.
    english_ = MakeButton(this, 400, 510, 100, 24);
    english_->setText(QStringLiteral("English"));
    chinese_ = MakeButton(this, 600, 510, 100, 24);
    chinese_->setText(QStringLiteral("中文"));
    oscCaption_ = MakeCaption(this, 200, 550, 100, 24);
    oscPortField_ = MakeField(this, 400, 550);
    oscPortField_->setMaxLength(5);
    oscSwitch_ = MakeButton(this, 600, 550, 100, 24);

    connect(spanOk_, &QAbstractButton::clicked, this, &CSystemDlg::OnSpanOk);
    connect(addressOk_, &QAbstractButton::clicked, this, &CSystemDlg::OnAddressOk);
    connect(spanField_, &CTextField::EnterPressed, this, &CSystemDlg::OnSpanOk);
    connect(resyncOk_, &QAbstractButton::clicked, this, &CSystemDlg::OnResyncOk);
    connect(resyncField_, &CTextField::EnterPressed, this, &CSystemDlg::OnResyncOk);
    connect(addressField_, &CTextField::EnterPressed, this, &CSystemDlg::OnAddressOk);
    connect(search_, &QAbstractButton::clicked, this, &CSystemDlg::StartDiscovery);
    connect(connect_, &QAbstractButton::clicked, this, &CSystemDlg::OnConnectButton);
    connect(offline_, &QAbstractButton::clicked, this, &CSystemDlg::OnOffline);
    connect(list_, &QTableWidget::cellClicked, this, &CSystemDlg::OnListClick);
    connect(english_, &QAbstractButton::clicked, this, [this] { OnLanguageButton(1); });
    connect(chinese_, &QAbstractButton::clicked, this, [this] { OnLanguageButton(2); });
    connect(oscSwitch_, &QAbstractButton::clicked, this, &CSystemDlg::OnOscSwitch);
}

void CSystemDlg::BuildLimitTab() {
    // Tall enough for a 15-byte name broken onto two lines.
    constexpr int kToggleHeight = 30;
    for (int k = 0; k < kChannelToggles; ++k) {
        limits_[k] = MakeButton(this, 100 * (k % 8 + 1), 150 + 50 * (k / 8), 80, kToggleHeight);
    }
    for (int k = 0; k < kOutputToggles; ++k) limits_[kChannelToggles + k] = MakeButton(this, 100 * (k + 1), 250, 80, kToggleHeight);
    for (int k = 0; k < kFunctionToggles; ++k) {
        CImageButton* toggle = MakeButton(this, 100 * (k + 1), 300, 80, kToggleHeight);
        toggle->setText(QString::fromLatin1(kFunctionCaptions[k]));
        limits_[kChannelToggles + kOutputToggles + k] = toggle;
    }
    for (int index = 0; index < kToggleCount; ++index) {
        limits_[index]->SetCaptionFits(true);
        connect(limits_[index], &QAbstractButton::clicked, this, [this, index] { OnLimitToggle(index); });
    }
}

void CSystemDlg::BuildShowTab() {
    save_ = MakeButton(this, 100, 150, 50, 50, kSceneUp, kSceneDown);
    save_->SetBehaviour(CImageButton::kPush);
    connect(save_, &QAbstractButton::clicked, this, &CSystemDlg::SaveScene);
    for (int k = 0; k < kSceneSlots; ++k) {
        scenes_[k] = MakeButton(this, 220 + 60 * (k % 8), 150 + 60 * (k / 8), 50, 50, kSceneUp, kSceneDown);
        scenes_[k]->SetBehaviour(CImageButton::kPush);
        // The caption is "N:name"; the number must stay in view, the name
        // shows as far as it fits and whole in the tooltip.
        scenes_[k]->SetCaptionFits(true);
        scenes_[k]->SetCaptionElided(true);
        scenes_[k]->setText(QStringLiteral("SAVE%1").arg(k + 1));
        connect(scenes_[k], &QAbstractButton::clicked, this, [this, k] { OpenSceneMenu(k); });
    }
    sceneMenu_->LoadMenu(kFirstPresetMenu);
    scenePopup_ = sceneMenu_->SubMenu(0) ? sceneMenu_->SubMenu(0) : sceneMenu_;
    connect(scenePopup_, &QMenu::triggered, this,
            [this](QAction* action) { OnSceneMenuCommand(CMenuEx::CommandOf(action)); });
    upload_ = context_.link ? new UploadAll(context_.state, *context_.link, this) : nullptr;
    fadeCaption_ = MakeCaption(this, 220, 110, 140, 24);
    fadeField_ = MakeField(this, 370, 110);
    fadeField_->setText(QStringLiteral("0"));
    connect(fadeField_, &QLineEdit::editingFinished, this, [this] {
        fadeField_->setText(QString::number(FadeTime().count() / 1000.0));
    });
    BuildSafesGrid();
}

void CSystemDlg::BuildSafesGrid() {
    constexpr int kLeft = 100;
    constexpr int kTop = 420;
    constexpr int kNameWidth = 90;
    constexpr int kPitch = 34;
    constexpr int kRowPitch = 22;
    safesCaption_ = MakeCaption(this, kLeft, kTop - 28, 600, 24);
    for (int row = 0; row < kSafeRowCount; ++row) {
        const int x = kLeft + kNameWidth + 4 + row * kPitch;
        safeRows_[row] = MakeButton(this, x, kTop, kPitch - 2, kRowPitch - 2);
        safeRows_[row]->SetCaptionFits(true);
        connect(safeRows_[row], &QAbstractButton::clicked, this, [this, row] { OnSafeRowAll(row); });
        for (int kind = 0; kind < kSafeKindCount; ++kind) {
            CImageButton* cell = MakeButton(this, x, kTop + (kind + 1) * kRowPitch, kPitch - 2, kRowPitch - 2);
            cell->setEnabled(SafeApplies(row, kind));
            connect(cell, &QAbstractButton::clicked, this, [this, row, kind] { OnSafeCell(row, kind); });
            safeCells_[row * kSafeKindCount + kind] = cell;
        }
    }
    for (int kind = 0; kind < kSafeKindCount; ++kind) {
        safeKinds_[kind] = MakeButton(this, kLeft, kTop + (kind + 1) * kRowPitch, kNameWidth, kRowPitch - 2);
        safeKinds_[kind]->SetCaptionFits(true);
        connect(safeKinds_[kind], &QAbstractButton::clicked, this, [this, kind] { OnSafeKindAll(kind); });
    }
}

std::vector<QWidget*> CSystemDlg::ShowControls() const {
    std::vector<QWidget*> controls{save_, fadeCaption_, fadeField_, safesCaption_};
    controls.insert(controls.end(), safeCells_.begin(), safeCells_.end());
    controls.insert(controls.end(), safeRows_.begin(), safeRows_.end());
    controls.insert(controls.end(), safeKinds_.begin(), safeKinds_.end());
    return controls;
}

void CSystemDlg::RefreshSafes() {
    for (int row = 0; row < kSafeRowCount; ++row) {
        safeRows_[row]->SetDown(safes_.RowSafe(row));
        for (int kind = 0; kind < kSafeKindCount; ++kind) SafeCell(row, kind)->SetDown(safes_.Safe(row, kind));
    }
    for (int kind = 0; kind < kSafeKindCount; ++kind) safeKinds_[kind]->SetDown(safes_.KindSafe(kind));
}

void CSystemDlg::BuildHelpTab() {
    reset_ = MakePushButton(this, 100, 100, 100, 24);
    connect(reset_, &QAbstractButton::clicked, this, &CSystemDlg::ResetDevice);
    local_ = MakePushButton(this, 100, 150, 100, 24);
    update_ = MakePushButton(this, 220, 150, 100, 24);
    transferProgress_ = MakeProgress(this, 100, 200, 400, 24);
    currentVersion_ = MakeCaption(this, 100, 250, 300, 36);
    localVersion_ = MakeCaption(this, 100, 300, 300, 36);
    connect(local_, &QAbstractButton::clicked, this, &CSystemDlg::OnLocal);
    connect(update_, &QAbstractButton::clicked, this, &CSystemDlg::OnUpdate);
}

std::vector<QWidget*> CSystemDlg::ConnectControls() const {
    return {sectionCaption_, spanCaption_, spanField_, spanOk_, addressCaption_, addressField_, addressOk_,
            search_,         connect_,     offline_,   list_,   languageCaption_, english_,      chinese_,
            resyncCaption_,  resyncField_, resyncOk_,  oscCaption_, oscPortField_, oscSwitch_};
}

std::vector<QWidget*> CSystemDlg::HelpControls() const {
    return {reset_, local_, update_, transferProgress_, currentVersion_, localVersion_};
}

void CSystemDlg::ShowTab(int tab) {
    if (tab < kTabConnect || tab > kTabRemote) return;
    for (QWidget* control : ConnectControls()) control->hide();
    for (QWidget* control : HelpControls()) control->hide();
    scanProgress_->hide();
    for (QWidget* control : ShowControls()) control->hide();
    for (CImageButton* toggle : limits_) toggle->hide();
    for (CImageButton* scene : scenes_) scene->hide();
    remoteTab_->setVisible(tab == kTabRemote);
    for (int t = 0; t < kTabCount; ++t) tabs_[t]->SetDown(t == tab);
    tab_ = tab;
    switch (tab) {
    case kTabConnect:
        for (QWidget* control : ConnectControls()) control->show();
        // A search still running keeps its progress in view.
        scanProgress_->setVisible(discovery_.IsScanning());
        break;
    case kTabLimit:
        RefreshLimitToggles();
        for (CImageButton* toggle : limits_) toggle->show();
        break;
    case kTabShow:
        for (QWidget* control : ShowControls()) control->show();
        RefreshSafes();
        RefreshSceneSlots();
        break;
    case kTabHelp:
        for (QWidget* control : HelpControls()) control->show();
        // Remote update only where an update page has been configured.
        update_->setVisible(!context_.updateUrl.isEmpty());
        break;
    }
}

void CSystemDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    language_ = language;
    for (int tab = 0; tab < kTabCount; ++tab) tabs_[tab]->setText(kTabCaptions[tab].For(language));
    remoteTab_->SetLabels(language);
    sectionCaption_->SetText(kSection.For(language));
    spanCaption_->SetText(kSpan.For(language));
    addressCaption_->SetText(kAddress.For(language));
    spanOk_->setText(kOk.For(language));
    resyncCaption_->SetText(kResync.For(language));
    resyncOk_->setText(kOk.For(language));
    addressOk_->setText(kOk.For(language));
    search_->setText(kSearch.For(language));
    offline_->setText(kOffline.For(language));
    languageCaption_->SetText(kLanguage.For(language));
    oscCaption_->SetText(kOscPort.For(language));
    english_->SetDown(language == 1);
    chinese_->SetDown(language == 2);
    save_->setText(kSave.For(language));
    fadeCaption_->SetText(kFade.For(language));
    safesCaption_->SetText(kSafes.For(language));
    for (int kind = 0; kind < kSafeKindCount; ++kind) safeKinds_[kind]->setText(kSafeKindCaptions[kind].For(language));
    for (int row = 0; row < kSafeRowCount; ++row) {
        safeRows_[row]->setText(row < kDelayReturn ? QString::number(row + 1)
                                                   : kSafeOutputCaptions[row - kDelayReturn].For(language));
    }
    sceneMenu_->SetLanguage(language);
    reset_->setText(kReset.For(language));
    local_->setText(kLocal.For(language));
    update_->setText(kUpdate.For(language));
    RefreshConnectButton();
    RefreshVersionLabels();
    RefreshOscSwitch();
}

void CSystemDlg::RefreshConnectButton() {
    const bool connected = context_.link && context_.link->IsConnected();
    connect_->setText(QString::fromStdString(LinkTextFor(connected ? LinkText::Disconnect : LinkText::Connect, language_)));
    connect_->SetDown(connected);
}

void CSystemDlg::RefreshOscSwitch() {
    const bool on = context_.osc && context_.osc->IsListening();
    oscSwitch_->setText((on ? kOn : kOff).For(language_));
    oscSwitch_->SetDown(on);
    if (context_.osc) oscPortField_->setText(QString::number(context_.osc->Settings().port));
}

void CSystemDlg::OnOscSwitch() {
    if (!context_.osc) return;
    OscSettings settings = context_.osc->Settings();
    settings.enabled = !context_.osc->IsListening();
    bool number = false;
    const int port = oscPortField_->text().trimmed().toInt(&number);
    if (settings.enabled && (!number || port < 1 || port > 65535)) {
        Tell(kBadOscPort.For(1), kBadOscPort.For(2));
    } else {
        if (settings.enabled) settings.port = port;
        if (!context_.osc->Apply(settings)) {
            const QString where = QStringLiteral("%1:%2").arg(QString::fromStdString(settings.bindAddress)).arg(port);
            Tell(QStringLiteral("OSC cannot listen on %1: %2").arg(where, context_.osc->LastError()),
                 QStringLiteral("OSC无法在 %1 上监听：%2").arg(where, context_.osc->LastError()));
        } else if (!StoreProfileOsc(context_.profileFile, settings)) {
            Tell(QStringLiteral("The OSC setting could not be saved in %1").arg(context_.profileFile),
                 QStringLiteral("OSC设置无法保存到 %1").arg(context_.profileFile));
        }
    }
    RefreshOscSwitch();
}

void CSystemDlg::RefreshVersionLabels() {
    currentVersion_->SetText(kCurrentVersion.For(language_).arg(VersionNumber(context_.firmwareVersion)));
    const Caption& offered = offeredRemote_ ? kRemoteVersion : kLocalVersion;
    localVersion_->SetText(offered.For(language_).arg(VersionNumber(offeredVersion_)));
}

void CSystemDlg::RefreshLimitToggles() {
    for (int k = 0; k < kChannelToggles; ++k) limits_[k]->setText(DecodeGbkName(context_.state.strips[k].name));
    for (int k = 0; k < kOutputToggles; ++k) {
        limits_[kChannelToggles + k]->setText(DecodeGbkName(context_.state.buses[kToggleBuses[k]].name));
    }
    for (int index = 0; index < kToggleCount; ++index) limits_[index]->SetDown(context_.restrictions[index] != 0);
}

void CSystemDlg::showEvent(QShowEvent* event) {
    PageView::showEvent(event);
    addressField_->setText(context_.deviceAddress);
    spanField_->setText(QString::number(context_.spanTimeMs));
    resyncField_->setText(QString::fromStdString(ResyncText(context_.resyncMs)));
    RefreshVersionLabels();
    RefreshConnectButton();
    RefreshOscSwitch();
}

void CSystemDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!PaintTiled(painter, rect(), LoadBackground(kBackground), event->region())) painter.fillRect(rect(), QColor(44, 48, 56));
}

void CSystemDlg::Tell(const QString& english, const QString& chinese, bool warning) {
    if (!context_.notifier) return;
    context_.notifier->Show((language_ == 1 ? english : chinese).toStdString(),
                            warning ? LinkTextFor(LinkText::SocketErrorCaption, language_) : std::string());
}

void CSystemDlg::OnAddressOk() {
    const QString address = addressField_->text().trimmed();
    // An empty address is kept as the user's way back to the default at the next start.
    if (!address.isEmpty() && !IsDottedIpv4(address.toStdString())) {
        Tell(kBadAddress.For(1), kBadAddress.For(2));
        return;
    }
    TakeAddress(address);
}

void CSystemDlg::TakeAddress(const QString& address) {
    context_.deviceAddress = address;
    addressField_->setText(address);
    QSettings profile(context_.profileFile, QSettings::IniFormat);
    profile.setValue(QStringLiteral("U_FONT_SECTION/hostip"), address);
    profile.sync();
    // The address serves this session either way; the user must know that
    // the next start will not find it.
    if (profile.status() != QSettings::NoError) {
        Tell(QStringLiteral("The address could not be saved in %1").arg(context_.profileFile),
             QStringLiteral("设备IP无法保存到 %1").arg(context_.profileFile));
    }
}

void CSystemDlg::OnLanguageButton(int language) {
    if (language == 1 || language == 2) emit languageChosen(language);
}

void CSystemDlg::OnSpanOk() { context_.spanTimeMs = ParseSpanTime(spanField_->text().toStdString()); }

void CSystemDlg::OnResyncOk() {
    const auto ms = ResyncMsFromText(resyncField_->text().trimmed().toStdString());
    if (!ms) {
        Tell(kBadResync.For(1), kBadResync.For(2));
        resyncField_->setText(QString::fromStdString(ResyncText(context_.resyncMs)));
        return;
    }
    context_.resyncMs = *ms;
    resyncField_->setText(QString::fromStdString(ResyncText(*ms)));
    if (context_.link) context_.link->SetResyncPeriod(std::chrono::milliseconds(*ms));
    if (!StoreProfileResyncMs(context_.profileFile, *ms)) {
        Tell(QStringLiteral("The resync period could not be saved in %1").arg(context_.profileFile),
             QStringLiteral("同步间隔无法保存到 %1").arg(context_.profileFile));
    }
}

void CSystemDlg::StartDiscovery() {
    if (RefuseDuringUpdate()) return;
    StopDiscovery();
    // The search needs the device port: the console's link lets go of it
    // first, and the search starts once its socket has closed.
    if (context_.link && (context_.link->IsConnected() || context_.link->IsReceiving())) context_.link->Disconnect();
    if (context_.link && context_.link->IsReceiving()) linkRelease_->Wait(context_.link, [this] { BeginScan(); });
    else BeginScan();
}

void CSystemDlg::BeginScan() {
    list_->setRowCount(0);
    scanProgress_->setValue(0);
    switch (discovery_.Start()) {
    case DeviceDiscovery::StartResult::Started:
        scanProgress_->setVisible(tab_ == kTabConnect && discovery_.IsScanning());
        break;
    case DeviceDiscovery::StartResult::NoOrigin: Tell(kNoOrigin.For(1), kNoOrigin.For(2)); break;
    case DeviceDiscovery::StartResult::SocketError:
        Tell(QString::fromStdString(LinkTextFor(LinkText::SocketError, 1)),
             QString::fromStdString(LinkTextFor(LinkText::SocketError, 2)));
        break;
    }
}

void CSystemDlg::StopDiscovery() {
    linkRelease_->Stop();
    discovery_.Stop();
    scanProgress_->hide();
}

void CSystemDlg::AddListRow(const QString& address) {
    const int row = list_->rowCount();
    list_->insertRow(row);
    const std::array<QString, 4> texts = {address, QString::number(context_.port), QStringLiteral("ADMIN"),
                                          QStringLiteral("ADMIN")};
    for (int column = 0; column < 4; ++column) list_->setItem(row, column, new QTableWidgetItem(texts[column]));
}

void CSystemDlg::OnListClick() {
    const QList<QTableWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return;
    const QTableWidgetItem* address = list_->item(selected.front()->row(), 0);
    if (address) TakeAddress(address->text());
}

void CSystemDlg::OnConnectButton() {
    if (!context_.link || RefuseDuringUpdate()) return;
    if (context_.link->IsConnected()) {
        context_.link->Disconnect();
        RefreshConnectButton();
        return;
    }
    StopDiscovery();
    context_.link->Connect();
    RefreshConnectButton();
    emit leaveRequested();
}

void CSystemDlg::OnOffline() { emit leaveRequested(); }

void CSystemDlg::OnLimitToggle(int index) {
    if (index < 0 || index >= kToggleCount) return;
    context_.restrictions[index] = context_.restrictions[index] ? 0 : 1;
    limits_[index]->SetDown(context_.restrictions[index] != 0);
}

void CSystemDlg::OnLocal() { StartUpdate(false); }

void CSystemDlg::OnUpdate() { StartUpdate(true); }

void CSystemDlg::StartUpdate(bool remote) {
    const QString address = addressField_->text().trimmed();
    const auto kind = remote ? FirmwareUpdate::Kind::Remote : FirmwareUpdate::Kind::Local;
    switch (updater_->Start(kind, address, language_)) {
        case FirmwareUpdate::StartResult::Started:
            // A search would read the replies meant for the update.
            StopDiscovery();
            transferProgress_->setValue(0);
            RefreshConnectButton();
            break;
        case FirmwareUpdate::StartResult::BadAddress: Tell(kBadAddress.For(1), kBadAddress.For(2)); break;
        case FirmwareUpdate::StartResult::Busy:
        case FirmwareUpdate::StartResult::NoUpdatePage: break;
    }
}

// The update holds the device port until it ends; connecting or searching
// meanwhile would take the mixer's replies from it.
bool CSystemDlg::RefuseDuringUpdate() {
    if (!updater_->IsRunning()) return false;
    updater_->TellBusy(language_);
    return true;
}

}  // namespace mixer
