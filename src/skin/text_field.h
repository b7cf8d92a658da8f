#pragma once
// The one-line text field for typed values and addresses. It takes at most
// its maximum length (8 unless the page sets another with setMaxLength),
// reports Enter instead of inserting it, and tells its owner about typed
// characters and about losing the focus.

#include <QColor>
#include <QLineEdit>

namespace mixer {

class CTextField : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kDefaultMaxLength = 8;

    explicit CTextField(QWidget* parent = nullptr, int id = 0);

    void SetId(int id) { id_ = id; }
    int Id() const { return id_; }

    void SetTextColour(const QColor& colour);
    void SetBackgroundColour(const QColor& colour);
    // Background while the field has the focus.
    void SetFocusColour(const QColor& colour);
    QColor CurrentBackground() const;

signals:
    void EnterPressed(int id);
    void Changed(int id);  // a typed character was accepted
    void FocusLost(int id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyColours(bool focused);

    int id_;
    QColor text_ = QColor(0, 0, 0);
    QColor background_ = QColor(255, 255, 255);
    QColor focusBackground_ = QColor(255, 255, 255);
};

}  // namespace mixer
