#include "skin/text_field.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "skin/skin_font.h"

namespace mixer {

CTextField::CTextField(QWidget* parent, int id) : QLineEdit(parent), id_(id) {
    setMaxLength(kDefaultMaxLength);
    setFont(SkinFontPixels(12));
    ApplyColours(false);
}

void CTextField::SetTextColour(const QColor& colour) {
    text_ = colour;
    ApplyColours(hasFocus());
}

void CTextField::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    ApplyColours(hasFocus());
}

void CTextField::SetFocusColour(const QColor& colour) {
    focusBackground_ = colour;
    ApplyColours(hasFocus());
}

QColor CTextField::CurrentBackground() const { return palette().color(QPalette::Base); }

void CTextField::ApplyColours(bool focused) {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, focused ? focusBackground_ : background_);
    colours.setColor(QPalette::Text, text_);
    setPalette(colours);
}

void CTextField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit EnterPressed(id_);
        return;
    }
    const QString before = text();
    QLineEdit::keyPressEvent(event);
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && text() != before) emit Changed(id_);
}

// Chinese is typed through an input method, whose committed text counts as typed characters.
void CTextField::inputMethodEvent(QInputMethodEvent* event) {
    const QString before = text();
    QLineEdit::inputMethodEvent(event);
    if (!event->commitString().isEmpty() && text() != before) emit Changed(id_);
}

void CTextField::focusInEvent(QFocusEvent* event) {
    ApplyColours(true);
    QLineEdit::focusInEvent(event);
}

void CTextField::focusOutEvent(QFocusEvent* event) {
    ApplyColours(false);
    QLineEdit::focusOutEvent(event);
    emit FocusLost(id_);
}

}  // namespace mixer
