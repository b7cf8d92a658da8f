#pragma once
// The system page: the connection settings and the search for mixers
// (CONNECT), the restriction toggles (LIMIT), the scene slots (SHOW) and the
// firmware and reset controls (HELP), and the web remote (REMOTE). It fills the strip area while the
// console's mode is the system page.

#include <QPointer>
#include <QString>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "host/page_request.h"
#include "host/page_views.h"
#include "presets/name_dialog.h"
#include "system/device_discovery.h"
#include "system/recall_safes.h"
#include "system/scene_image.h"
#include "system/upload_progress_dlg.h"

class QProgressBar;
class QTableWidget;

namespace mixer {

struct AppContext;
class CImageButton;
class CMenuEx;
class CRemoteTab;
class CSkinLabel;
class CTextField;
class FirmwareUpdate;
class LinkRelease;
class Notifier;
class SceneFader;
class SceneStore;
class UploadAll;

class CSystemDlg : public PageView {
    Q_OBJECT

public:
    static constexpr int kChannelToggles = 16;
    static constexpr int kOutputToggles = 7;
    static constexpr int kFunctionToggles = 5;
    static constexpr int kToggleCount = kChannelToggles + kOutputToggles + kFunctionToggles;
    static constexpr int kSceneSlots = 32;

    // The link is the context's; messages go to the context's notifier.
    CSystemDlg(AppContext& context, QWidget* parent = nullptr);
    ~CSystemDlg() override;

    void SetLabels(int language) override;
    static constexpr int kTabCount = 5;
    // 0 CONNECT, 1 LIMIT, 2 SHOW, 3 HELP, 4 REMOTE; other values change nothing.
    void ShowTab(int tab);
    int CurrentTab() const { return tab_; }

    // The page's commands, as its controls issue them.
    void OnAddressOk();
    void OnSpanOk();
    void OnResyncOk();
    void StartDiscovery();
    void OnConnectButton();
    void OnOffline();
    void OnListClick();
    void OnLimitToggle(int index);
    // The language buttons: the window switches to language 1 or 2.
    void OnLanguageButton(int language);
    // The OSC switch: starts the server on the field's port or stops it,
    // and the profile keeps the choice.
    void OnOscSwitch();
    // LOCAL sends the image files beside the program, UPDATE those of the
    // update page; both take the address field's text as the mixer's.
    void OnLocal();
    void OnUpdate();

    // SHOW: SAVE stores the state as the next scene; a scene button opens
    // NAME / RECALL / DELETE for the scene its caption names.
    void SaveScene();
    void RefreshSceneSlots();
    void OpenSceneMenu(int slot);
    void OnSceneMenuCommand(int command);
    void RenameScene(const QString& caption);
    void OnSceneNameEntered(int id, const QString& name);
    void RecallScene(const QString& caption);
    // The scene with this ID, as RECALL on its button does.
    void RecallScene(int id);
    // What a recall leaves as it is; the profile keeps them.
    const RecallSafes& Safes() const { return safes_; }
    void SetSafes(const RecallSafes& safes);
    // The same with the levels fading over `fade` (0 to 30 s).
    void RecallScene(int id, std::chrono::milliseconds fade);
    // The fade time field beside the scenes, 0 when it holds no time.
    std::chrono::milliseconds FadeTime() const;
    SceneFader& Fader() const { return *fader_; }
    // The safes grid: a cell, the "all" of a channel row, of a kind column.
    void OnSafeCell(int row, int kind);
    void OnSafeRowAll(int row);
    void OnSafeKindAll(int kind);
    void DeleteScene(const QString& caption);
    // RESET: defaults, groups cleared, the whole state sent while connected.
    void ResetDevice();

    // The caption and pressed look of the connect button from the link.
    void RefreshConnectButton();
    // The OSC switch and port from the server.
    void RefreshOscSwitch();
    // Stops a search and frees the device port, as connecting and the
    // firmware operations need.
    void StopDiscovery();
    DeviceDiscovery& Discovery() { return discovery_; }
    FirmwareUpdate& Updater() { return *updater_; }

    // The controls, for the window and for tests.
    CImageButton* TabButton(int tab) const { return tabs_[tab]; }
    CTextField* SpanField() const { return spanField_; }
    CTextField* ResyncField() const { return resyncField_; }
    CTextField* AddressField() const { return addressField_; }
    CImageButton* SpanOkButton() const { return spanOk_; }
    CImageButton* AddressOkButton() const { return addressOk_; }
    CImageButton* SearchButton() const { return search_; }
    CImageButton* ConnectButton() const { return connect_; }
    CImageButton* OfflineButton() const { return offline_; }
    QTableWidget* DeviceList() const { return list_; }
    QProgressBar* ScanProgress() const { return scanProgress_; }
    CImageButton* LimitToggle(int index) const { return limits_[index]; }
    CImageButton* SaveButton() const { return save_; }
    CImageButton* SceneButton(int slot) const { return scenes_[slot]; }
    CImageButton* ResetButton() const { return reset_; }
    CImageButton* LocalButton() const { return local_; }
    CImageButton* UpdateButton() const { return update_; }
    QProgressBar* TransferProgress() const { return transferProgress_; }
    CSkinLabel* CurrentVersionLabel() const { return currentVersion_; }
    CSkinLabel* LocalVersionLabel() const { return localVersion_; }
    CSkinLabel* SectionCaption() const { return sectionCaption_; }
    CSkinLabel* LanguageCaption() const { return languageCaption_; }
    // The button that switches to language 1 (English) or 2 (Chinese).
    CImageButton* LanguageButton(int language) const { return language == 1 ? english_ : chinese_; }
    CTextField* OscPortField() const { return oscPortField_; }
    CImageButton* OscSwitch() const { return oscSwitch_; }
    CMenuEx* SceneMenu() const { return scenePopup_; }
    int SceneMenuSlot() const { return sceneMenuSlot_; }
    CNameDlg* SceneNameDialog() const { return sceneNameDialog_; }
    UploadAll* Upload() const { return upload_; }
    CTextField* FadeField() const { return fadeField_; }
    CImageButton* SafeCell(int row, int kind) const { return safeCells_[row * kSafeKindCount + kind]; }
    CImageButton* SafeRowAll(int row) const { return safeRows_[row]; }
    CImageButton* SafeKindAll(int kind) const { return safeKinds_[kind]; }
    // Shown while an upload runs; it keeps the window from taking edits.
    // The window is closing: the upload stops without a word.
    void StopUpload();
    CUploadProgressDlg* UploadProgress() const { return uploadProgress_; }
    // What the editor carries of the last recalled scene; a save writes it back.
    const SceneBytes& HeldScene() const { return heldScene_; }

signals:
    // OFFLINE, or a connection started: the console shows its strips again.
    void leaveRequested();
    // The user picked language 1 or 2 on the CONNECT tab.
    void languageChosen(int language);
    // A reset is about to clear the group tables: groups still engaged or
    // switched on are let go while their members are known.
    void aboutToClearGroups();
    // A reset or a recalled scene replaced the state: the console returns to
    // its strips and shows the state.
    void stateReplaced();
    // An upload of the whole state started (true) or ended (false): the
    // console takes no edits meanwhile.
    void uploadRunning(bool running);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildConnectTab();
    void BuildLimitTab();
    void BuildShowTab();
    void BuildHelpTab();
    std::vector<QWidget*> ConnectControls() const;
    std::vector<QWidget*> HelpControls() const;
    void RefreshLimitToggles();
    void BuildSafesGrid();
    std::vector<QWidget*> ShowControls() const;
    void RefreshSafes();
    void RefreshVersionLabels();
    void StartUpdate(bool remote);
    bool RefuseDuringUpdate();
    void BeginScan();
    void AddListRow(const QString& address);
    void TakeAddress(const QString& address);
    // A message box in the labels' language; the address and socket
    // messages carry the "Warming" caption, the others the program's own.
    void Tell(const QString& english, const QString& chinese, bool warning = true);
    SceneStore* Scenes();
    SceneLinkFields CurrentLinkFields() const;
    // Sends the whole state when connected, then runs `done`, told whether
    // every command went out; at once when not connected.
    void UploadThen(std::function<void(bool complete)> done);

    AppContext& context_;
    DeviceDiscovery discovery_;
    int tab_ = kTabConnect;
    int language_ = 1;  // the labels' language, 1 or 2
    LinkRelease* linkRelease_;
    FirmwareUpdate* updater_;
    QString offeredVersion_;      // of the files beside the program, or as the update page publishes it
    bool offeredRemote_ = false;  // the second version label shows the update page's version

    std::array<CImageButton*, kTabCount> tabs_{};
    CRemoteTab* remoteTab_;
    CSkinLabel* sectionCaption_;
    CSkinLabel* spanCaption_;
    CTextField* spanField_;
    CImageButton* spanOk_;
    CSkinLabel* resyncCaption_;
    CTextField* resyncField_;
    CImageButton* resyncOk_;
    CSkinLabel* addressCaption_;
    CTextField* addressField_;
    CImageButton* addressOk_;
    CImageButton* search_;
    CImageButton* connect_;
    CImageButton* offline_;
    QTableWidget* list_;
    QProgressBar* scanProgress_;
    CSkinLabel* languageCaption_;
    CImageButton* english_;
    CImageButton* chinese_;
    CSkinLabel* oscCaption_;
    CTextField* oscPortField_;
    CImageButton* oscSwitch_;
    std::array<CImageButton*, kToggleCount> limits_{};
    CImageButton* save_;
    std::array<CImageButton*, kSceneSlots> scenes_{};
    CImageButton* reset_;
    CImageButton* local_;
    CImageButton* update_;
    QProgressBar* transferProgress_;
    CSkinLabel* currentVersion_;
    CSkinLabel* localVersion_;

    std::unique_ptr<SceneStore> sceneStore_;
    SceneBytes heldScene_{};
    RecallSafes safes_;
    SceneFader* fader_;
    CSkinLabel* fadeCaption_;
    CTextField* fadeField_;
    CSkinLabel* safesCaption_;
    std::array<CImageButton*, kSafeRowCount * kSafeKindCount> safeCells_{};
    std::array<CImageButton*, kSafeRowCount> safeRows_{};
    std::array<CImageButton*, kSafeKindCount> safeKinds_{};
    CMenuEx* sceneMenu_;
    CMenuEx* scenePopup_;
    int sceneMenuSlot_ = -1;
    QPointer<CNameDlg> sceneNameDialog_;
    UploadAll* upload_;
    QPointer<CUploadProgressDlg> uploadProgress_;
    bool uploadStopped_ = false;
};

}  // namespace mixer
