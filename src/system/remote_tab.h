#pragma once
// The system page's REMOTE tab: the web remote's switch and port (kept in
// the profile), the page's address with each access code and its QR code,
// and the open sessions, each with a button that ends it.

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace mixer {

struct AppContext;

class CRemoteTab : public QWidget {
    Q_OBJECT

public:
    CRemoteTab(AppContext& context, QWidget* parent = nullptr);
    void SetLabels(int language);

    // The switch as the user turns it: starts or stops the server and keeps
    // the choice in the profile.
    void OnSwitch(bool on);
    // Draws seven new codes; open sessions end, as their codes may be gone.
    void OnNewCodes();
    // Keeps the codes shown for the next starts, or draws new ones each start.
    void OnKeepCodes(bool keep);
    QTableWidget* Sessions() const { return sessions_; }
    QTableWidget* Codes() const { return codes_; }

private:
    void Refresh();
    void RefreshSessions();
    void ShowQr();
    void Store();

    AppContext& context_;
    int language_ = 1;
    QCheckBox* switch_;
    QLabel* portCaption_;
    QSpinBox* port_;
    QLabel* address_;
    QLabel* status_;
    QTableWidget* codes_;
    QCheckBox* keepCodes_;
    QPushButton* newCodes_;
    QLabel* qr_;
    QLabel* sessionsCaption_;
    QTableWidget* sessions_;
    QPushButton* endAll_;
};

}  // namespace mixer
