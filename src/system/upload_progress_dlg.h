#pragma once
// The box shown while the whole state goes to the mixer: a caption and a
// bar. Neither Escape nor its title bar closes it before the upload has
// ended. It is not modal: the console holds its own controls meanwhile, and
// a modal box would keep the window itself from being closed.

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
