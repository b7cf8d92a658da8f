#pragma once
// The small modal NAME dialog in which the user types a new name for a
// preset, a scene or a channel. It is given the current name and hands back
// the edited text after OK; Cancel leaves the name as it was.

#include <QDialog>
#include <QString>

namespace mixer {

class CImageButton;
class CSkinLabel;
class CTextField;

class CNameDlg : public QDialog {
    Q_OBJECT

public:
    explicit CNameDlg(QWidget* parent = nullptr);

    // Title, caption and buttons for language 1 (English) or 2 (Chinese);
    // any other value changes nothing.
    void SetLabels(int language);
    // The name shown for editing when the dialog opens.
    void SetName(const QString& name);
    // The current name before OK; the edited text after it.
    QString Name() const { return name_; }

    CTextField* Field() const { return field_; }
    CImageButton* OkButton() const { return ok_; }
    CImageButton* CancelButton() const { return cancel_; }

public slots:
    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    CSkinLabel* caption_;
    CTextField* field_;
    CImageButton* ok_;
    CImageButton* cancel_;
};

}  // namespace mixer
