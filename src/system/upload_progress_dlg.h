#pragma once
// The box shown while the whole state goes to the mixer: a caption and a
// bar. It is modal, so the console takes no edits meanwhile, and neither
// Escape nor the title bar closes it before the upload has ended.

#include <QDialog>

class QProgressBar;

namespace mixer {

class CUploadProgressDlg : public QDialog {
    Q_OBJECT

public:
    CUploadProgressDlg(const QString& caption, int steps, QWidget* parent);

    void SetProgress(int done);
    int Progress() const;
    // The upload has ended: the box closes and goes.
    void Finish();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* bar_;
    bool finished_ = false;
};

}  // namespace mixer
