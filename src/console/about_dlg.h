#pragma once
// The About box: the program's icon, its product line and an OK button
// captioned in the window's language.

#include <QDialog>

class QLabel;
class QPushButton;

namespace mixer {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(int language, QWidget* parent = nullptr);

    QLabel* ProductLine() const { return productLine_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QLabel* productLine_;
    QPushButton* ok_;
};

}  // namespace mixer
