// The system page's scenes (SHOW) and its RESET button: saving, naming,
// recalling and deleting scenes, and the whole state sent to the mixer after
// a recall or a reset while the window stays responsive.

#include "system/system_dlg.h"

#include <QCursor>
#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "host/app_context.h"
#include "host/console_link.h"
#include "link/notifier.h"
#include "model/target.h"
#include "presets/name_dialog.h"
#include "skin/image_button.h"
#include "skin/menu_ex.h"
#include "skin/menu_resources.h"
#include "skin/text_field.h"
#include "system/device_reset.h"
#include "system/scene_fader.h"
#include "system/scene_slots.h"
#include "system/show_settings.h"
#include "system/scene_store.h"
#include "system/upload_all.h"
#include "system/upload_plan.h"
#include "system/upload_progress_dlg.h"

namespace mixer {

namespace {

SceneTime SceneTimeOf(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    return {static_cast<uint16_t>(date.year()), static_cast<uint16_t>(date.month()),
            static_cast<uint16_t>(date.dayOfWeek() % 7), static_cast<uint16_t>(date.day()),
            static_cast<uint16_t>(time.hour()), static_cast<uint16_t>(time.minute()),
            static_cast<uint16_t>(time.second()), static_cast<uint16_t>(time.msec())};
}

SceneTime AgoOrNever(qint64 sinceMs, const QDateTime& now) {
    return sinceMs < 0 ? SceneTime{} : SceneTimeOf(now.addMSecs(-sinceMs));
}

}  // namespace

SceneStore* CSystemDlg::Scenes() {
    if (!sceneStore_ && context_.presets) sceneStore_ = std::make_unique<SceneStore>(*context_.presets, context_.dataDir);
    return sceneStore_.get();
}

SceneLinkFields CSystemDlg::CurrentLinkFields() const {
    SceneLinkFields fields;
    fields.version = context_.firmwareVersion.toStdString();
    if (!context_.link) return fields;
    const LinkRecord record = context_.link->Record();
    const QDateTime now = QDateTime::currentDateTime();
    fields.connected = context_.link->IsConnected();
    fields.connecting = record.connecting;
    fields.retryCount = record.retryCount;
    fields.lastProbe = AgoOrNever(record.sinceProbeMs, now);
    fields.lastHeard = AgoOrNever(record.sinceHeardMs, now);
    return fields;
}

void CSystemDlg::SaveScene() {
    SceneStore* store = Scenes();
    if (!store) return;
    StoreScene(heldScene_, context_.state, CurrentLinkFields());
    const SceneStore::Saved saved = store->Save(heldScene_);
    if (saved.result == SceneStore::SaveResult::kWriteError) {
        Tell(QStringLiteral("The scene could not be written, so it was not saved: %1").arg(saved.detail),
             QStringLiteral("场景文件无法写入，场景未保存：%1").arg(saved.detail), false);
    }
    RefreshSceneSlots();
}

void CSystemDlg::RefreshSceneSlots() {
    for (CImageButton* scene : scenes_) scene->hide();
    SceneStore* store = Scenes();
    if (!store) return;
    const auto rows = store->Rows();
    if (!rows) return;
    const std::size_t shown = std::min<std::size_t>(rows->size(), kSceneSlots);
    for (std::size_t k = 0; k < shown; ++k) {
        const SceneRow& row = (*rows)[k];
        const QString caption = QString::fromStdString(SceneCaption(row.id, row.name.toStdString()));
        scenes_[k]->setText(caption);
        scenes_[k]->setToolTip(caption);
        scenes_[k]->setVisible(tab_ == kTabShow);
    }
}

void CSystemDlg::OpenSceneMenu(int slot) {
    if (slot < 0 || slot >= kSceneSlots) return;
    sceneMenuSlot_ = slot;
    scenePopup_->popup(QCursor::pos());
}

void CSystemDlg::OnSceneMenuCommand(int command) {
    if (sceneMenuSlot_ < 0 || sceneMenuSlot_ >= kSceneSlots) return;
    const QString caption = scenes_[sceneMenuSlot_]->text();
    switch (command) {
    case kCmdFirstName: RenameScene(caption); break;
    case kCmdFirstRecall: RecallScene(caption); break;
    case kCmdFirstDelete: DeleteScene(caption); break;
    default: break;
    }
}

void CSystemDlg::RenameScene(const QString& caption) {
    const auto id = SceneIdFromCaption(caption.toStdString());
    if (!id || !Scenes()) return;
    auto* dialog = new CNameDlg(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetLabels(language_);
    dialog->SetName(caption.mid(caption.indexOf(QLatin1Char(':')) + 1));
    connect(dialog, &QDialog::accepted, this, [this, dialog, id = *id] { OnSceneNameEntered(id, dialog->Name()); });
    sceneNameDialog_ = dialog;
    dialog->open();
}

void CSystemDlg::OnSceneNameEntered(int id, const QString& name) {
    SceneStore* store = Scenes();
    if (!store) return;
    store->Rename(id, name);
    RefreshSceneSlots();
}

void CSystemDlg::RecallScene(const QString& caption) {
    if (const auto id = SceneIdFromCaption(caption.toStdString())) RecallScene(*id);
}

void CSystemDlg::RecallScene(int id) { RecallScene(id, FadeTime()); }

void CSystemDlg::RecallScene(int id, std::chrono::milliseconds fade) {
    SceneStore* store = Scenes();
    if (!store) return;
    const SceneStore::Loaded loaded = store->Load(id);
    switch (loaded.result) {
    case SceneStore::LoadResult::kLoaded: break;
    case SceneStore::LoadResult::kNoScene: return;
    case SceneStore::LoadResult::kCannotOpen:
        Tell(QStringLiteral("The scene file %1 cannot be opened; nothing was changed.").arg(loaded.path),
             QStringLiteral("无法打开场景文件 %1，未做任何更改。").arg(loaded.path), false);
        return;
    case SceneStore::LoadResult::kTooShort:
        Tell(QStringLiteral("The scene file %1 is shorter than a scene; nothing was changed.").arg(loaded.path),
             QStringLiteral("场景文件 %1 不完整，未做任何更改。").arg(loaded.path), false);
        return;
    }
    // The link's own flags stay as they are, whatever the file recorded.
    MixerState recalled = RecalledState(context_.state, SceneState(loaded.image), safes_);
    fader_->Prepare(context_.state, recalled, fade);
    // A timed recall sends only what it changes, as its undo does: the full
    // upload would take every other slot of the wire from the fade for its
    // 5.7 s, so that a level of many fading ones would arrive late and in
    // few steps, and it would hold the window where a fader may be touched.
    const bool fading = fader_->Running();
    const uint64_t earlier = context_.model.History().LastStep();
    {
        const StepScope step(context_.model, {StepAction::SceneRecall});
        context_.model.Edit(
            [&](MixerState& s) {
                const MixerState before = s;
                s = recalled;
                return fading ? DifferingCommands(before, s) : Commands{};
            },
            fading ? Sending::Now : Sending::None);
    }
    const uint64_t made = context_.model.History().LastStep();
    fader_->Begin(made != earlier ? made : 0);
    heldScene_ = loaded.image;
    if (context_.link) context_.link->MarkHeard();
    if (fading) emit stateReplaced();
    else UploadThen([this](bool) { emit stateReplaced(); });
}

std::chrono::milliseconds CSystemDlg::FadeTime() const {
    bool number = false;
    const double seconds = fadeField_->text().trimmed().toDouble(&number);
    if (!number || !(seconds > 0)) return std::chrono::milliseconds{0};
    return std::min(LevelFade::kLongest, std::chrono::milliseconds(std::llround(seconds * 1000)));
}

void CSystemDlg::OnSafeCell(int row, int kind) {
    RecallSafes safes = safes_;
    safes.Set(row, kind, !safes.Safe(row, kind));
    SetSafes(safes);
}

void CSystemDlg::OnSafeRowAll(int row) {
    RecallSafes safes = safes_;
    safes.ToggleRow(row);
    SetSafes(safes);
}

void CSystemDlg::OnSafeKindAll(int kind) {
    RecallSafes safes = safes_;
    safes.ToggleKind(kind);
    SetSafes(safes);
}

void CSystemDlg::SetSafes(const RecallSafes& safes) {
    if (safes == safes_) return;
    safes_ = safes;
    RefreshSafes();
    if (!StoreProfileRecallSafes(context_.profileFile, safes_)) {
        Tell(QStringLiteral("The recall safes could not be saved in %1").arg(context_.profileFile),
             QStringLiteral("调用保护无法保存到 %1").arg(context_.profileFile), false);
    }
}

void CSystemDlg::DeleteScene(const QString& caption) {
    const auto id = SceneIdFromCaption(caption.toStdString());
    SceneStore* store = Scenes();
    if (!id || !store) return;
    const SceneStore::Deleted deleted = store->Delete(*id);
    if (deleted.result == SceneStore::DeleteResult::kKept) {
        Tell(QStringLiteral("There is no trash here to move the scene file to; it stays at %1.").arg(deleted.path),
             QStringLiteral("没有可用的回收站，场景文件保留在 %1。").arg(deleted.path), false);
    }
    RefreshSceneSlots();
}

void CSystemDlg::ResetDevice() {
    if (context_.updateBusy) {
        Tell(QStringLiteral("Reseting device......."), QStringLiteral("正在复位设备......."), false);
        return;
    }
    context_.updateBusy = true;
    emit aboutToClearGroups();
    if (!ResetEditorState(context_)) {
        Tell(QStringLiteral("The cleared groups could not be saved in %1").arg(context_.profileFile),
             QStringLiteral("清除后的分组无法保存到 %1").arg(context_.profileFile), false);
    }
    if (context_.link) context_.link->MarkHeard();
    UploadThen([this](bool complete) {
        emit stateReplaced();
        context_.updateBusy = false;
        // A mixer that did not receive every parameter is not reset; the
        // upload has said so already.
        if (complete) Tell(QStringLiteral("Reset successfully."), QStringLiteral("复位成功。"), false);
    });
}

void CSystemDlg::StopUpload() {
    uploadStopped_ = true;
    if (upload_) upload_->Stop();
}

void CSystemDlg::UploadThen(std::function<void(bool complete)> done) {
    if (!upload_ || !context_.link || !context_.link->IsConnected()) {
        done(true);
        return;
    }
    // The window is held while an upload runs, so a second one is not asked
    // for; should it be, it is not sent, and not reported as sent.
    if (upload_->IsRunning()) {
        done(false);
        return;
    }
    auto* progress = new CUploadProgressDlg(language_ == 1 ? QStringLiteral("Sending every parameter to the mixer...")
                                                           : QStringLiteral("正在向调音台发送全部参数..."),
                                            kUploadMessageCount, window());
    progress->show();
    uploadProgress_ = progress;
    uploadStopped_ = false;
    emit uploadRunning(true);
    auto* started = new QObject(this);
    connect(upload_, &UploadAll::progressed, started, [progress](int sent) { progress->SetProgress(sent); });
    connect(upload_, &UploadAll::finished, started, [this, started, progress, done = std::move(done)](bool complete) {
        disconnect(upload_, nullptr, started, nullptr);
        started->deleteLater();
        progress->Finish();
        emit uploadRunning(false);
        if (!complete && !uploadStopped_) {
            Tell(QStringLiteral("The connection ended before every parameter was sent to the mixer."),
                 QStringLiteral("连接已断开，参数未能全部发送到调音台。"), false);
        }
        done(complete);
    });
    upload_->Start();
}

}  // namespace mixer
