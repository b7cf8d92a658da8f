#include "system/remote_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableWidget>

#include "host/app_context.h"
#include "remote/qr_image.h"
#include "remote/remote_server.h"
#include "remote/remote_settings.h"

namespace mixer {

namespace {

QString Text(int language, const char* english, const char* chinese) {
    return QString::fromUtf8(language == 1 ? english : chinese);
}

QString RoleText(int language, int aux) {
    return aux == 0 ? Text(language, "Engineer (everything)", "工程师（全部）")
                    : Text(language, "Monitor AUX %1", "返听 AUX %1").arg(aux);
}

constexpr int kQrScale = 4;

}  // namespace

CRemoteTab::CRemoteTab(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      switch_(new QCheckBox(this)),
      portCaption_(new QLabel(this)),
      port_(new QSpinBox(this)),
      address_(new QLabel(this)),
      status_(new QLabel(this)),
      codes_(new QTableWidget(remote::kAuxCount + 1, 2, this)),
      keepCodes_(new QCheckBox(this)),
      newCodes_(new QPushButton(this)),
      qr_(new QLabel(this)),
      sessionsCaption_(new QLabel(this)),
      sessions_(new QTableWidget(0, 3, this)),
      endAll_(new QPushButton(this)) {
    setAutoFillBackground(true);
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    port_->setRange(1, 65535);
    for (QTableWidget* table : {codes_, sessions_}) {
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    auto* grid = new QGridLayout(this);
    grid->addWidget(switch_, 0, 0);
    grid->addWidget(portCaption_, 0, 1);
    grid->addWidget(port_, 0, 2);
    grid->addWidget(status_, 0, 3);
    grid->addWidget(address_, 1, 0, 1, 4);
    grid->addWidget(codes_, 2, 0, 1, 3);
    grid->addWidget(qr_, 2, 3, Qt::AlignCenter);
    grid->addWidget(keepCodes_, 3, 0);
    grid->addWidget(newCodes_, 3, 1);
    grid->addWidget(sessionsCaption_, 4, 0);
    grid->addWidget(endAll_, 4, 2);
    grid->addWidget(sessions_, 5, 0, 1, 4);

    const RemoteSettings settings = ReadRemoteSettings(context_.profileFile);
    port_->setValue(context_.remote && context_.remote->Running() ? context_.remote->Port() : settings.port);
    keepCodes_->setChecked(settings.fixedCodes.has_value());
    connect(switch_, &QCheckBox::clicked, this, &CRemoteTab::OnSwitch);
    connect(keepCodes_, &QCheckBox::clicked, this, &CRemoteTab::OnKeepCodes);
    connect(newCodes_, &QPushButton::clicked, this, &CRemoteTab::OnNewCodes);
    connect(codes_, &QTableWidget::itemSelectionChanged, this, &CRemoteTab::ShowQr);
    connect(port_, &QSpinBox::valueChanged, this, &CRemoteTab::Refresh);
    if (context_.remote) {
        connect(endAll_, &QPushButton::clicked, context_.remote, &RemoteServer::EndAll);
        connect(context_.remote, &RemoteServer::sessionsChanged, this, &CRemoteTab::RefreshSessions);
        connect(context_.remote, &RemoteServer::runningChanged, this, &CRemoteTab::Refresh);
    }
    SetLabels(1);
    codes_->selectRow(0);
}

void CRemoteTab::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    language_ = language;
    switch_->setText(Text(language, "Web remote for phones and tablets", "手机和平板网页遥控"));
    portCaption_->setText(Text(language, "Port:", "端口:"));
    keepCodes_->setText(Text(language, "Keep these codes at the next start", "下次启动保留这些访问码"));
    newCodes_->setText(Text(language, "New codes", "新访问码"));
    sessionsCaption_->setText(Text(language, "Open sessions", "已打开的会话"));
    endAll_->setText(Text(language, "End all", "全部结束"));
    codes_->setHorizontalHeaderLabels({Text(language, "Who", "用途"), Text(language, "Access code", "访问码")});
    sessions_->setHorizontalHeaderLabels({Text(language, "Address", "地址"), Text(language, "Code", "访问码"), QString()});
    Refresh();
}

void CRemoteTab::OnSwitch(bool on) {
    if (!context_.remote) return;
    if (on) {
        QString error;
        if (!context_.remote->Start(context_.bindAddress, port_->value(), error)) status_->setText(error);
    } else {
        context_.remote->Stop();
    }
    Store();
    Refresh();
}

void CRemoteTab::OnNewCodes() {
    if (!context_.remote) return;
    context_.remote->SetCodes(remote::MakeAccessCodes([] { return QRandomGenerator::system()->generate(); }));
    Store();
    Refresh();
}

void CRemoteTab::OnKeepCodes(bool) { Store(); }

void CRemoteTab::Store() {
    RemoteSettings settings;
    settings.on = context_.remote && context_.remote->Running();
    settings.port = port_->value();
    if (keepCodes_->isChecked() && context_.remote) settings.fixedCodes = context_.remote->Codes();
    StoreRemoteSettings(context_.profileFile, settings);
}

void CRemoteTab::Refresh() {
    const bool running = context_.remote && context_.remote->Running();
    switch_->setChecked(running);
    switch_->setEnabled(context_.remote != nullptr);
    port_->setEnabled(!running);
    if (running) status_->clear();
    address_->setText(RemotePageAddress(context_.bindAddress, running ? context_.remote->Port() : port_->value()));
    if (context_.remote) {
        const remote::AccessCodes& codes = context_.remote->Codes();
        for (int row = 0; row <= remote::kAuxCount; ++row) {
            codes_->setItem(row, 0, new QTableWidgetItem(RoleText(language_, row)));
            codes_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(row == 0 ? codes.engineer : codes.monitor[row - 1])));
        }
    }
    ShowQr();
    RefreshSessions();
}

void CRemoteTab::ShowQr() {
    const int row = codes_->currentRow();
    const QTableWidgetItem* code = row >= 0 ? codes_->item(row, 1) : nullptr;
    qr_->setPixmap(code ? QPixmap::fromImage(QrImage(address_->text() + QStringLiteral("#code=") + code->text(), kQrScale)) : QPixmap());
}

void CRemoteTab::RefreshSessions() {
    const std::vector<RemoteServer::SessionInfo> list =
        context_.remote ? context_.remote->Sessions() : std::vector<RemoteServer::SessionInfo>{};
    sessions_->setRowCount(static_cast<int>(list.size()));
    for (int row = 0; row < static_cast<int>(list.size()); ++row) {
        const RemoteServer::SessionInfo& s = list[row];
        sessions_->setItem(row, 0, new QTableWidgetItem(s.address));
        sessions_->setItem(row, 1, new QTableWidgetItem(RoleText(language_, s.aux)));
        auto* end = new QPushButton(Text(language_, "End", "结束"));
        connect(end, &QPushButton::clicked, this, [this, id = s.id] {
            if (context_.remote) context_.remote->EndSession(id);
        });
        sessions_->setCellWidget(row, 2, end);
    }
    endAll_->setEnabled(!list.empty());
}

}  // namespace mixer
