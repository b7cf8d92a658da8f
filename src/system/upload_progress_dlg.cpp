#include "system/upload_progress_dlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace mixer {

CUploadProgressDlg::CUploadProgressDlg(const QString& caption, int steps, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), bar_(new QProgressBar(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent) setWindowTitle(parent->window()->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption, this));
    bar_->setRange(0, steps);
    bar_->setValue(0);
    bar_->setMinimumWidth(320);
    layout->addWidget(bar_);
}

// A plain bar repaints with the event loop; a progress dialog's own update
// would run the loop from inside the upload.
void CUploadProgressDlg::SetProgress(int done) { bar_->setValue(done); }

int CUploadProgressDlg::Progress() const { return bar_->value(); }

void CUploadProgressDlg::Finish() {
    finished_ = true;
    close();
}

void CUploadProgressDlg::reject() {
    if (finished_) QDialog::reject();
}

void CUploadProgressDlg::closeEvent(QCloseEvent* event) {
    if (finished_) QDialog::closeEvent(event);
    else event->ignore();
}

}  // namespace mixer
