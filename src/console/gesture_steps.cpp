#include "console/gesture_steps.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "model/mixer_model.h"

namespace mixer {

GestureSteps::GestureSteps(QWidget& window, MixerModel& model) : QObject(&window), window_(window), model_(model) {
    qApp->installEventFilter(this);
}

GestureSteps::~GestureSteps() {
    qApp->removeEventFilter(this);
    if (held_) model_.EndStep();
    EndNow();
}

bool GestureSteps::InWindow(const QObject* object) const {
    // Popups and dialogs are windows of their own, children of the console's widgets.
    for (const QWidget* w = qobject_cast<const QWidget*>(object); w; w = w->parentWidget()) {
        if (w == &window_) return true;
    }
    return false;
}

bool GestureSteps::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!held_ && InWindow(watched)) {
            Begin();
            held_ = true;
            keyed_ = false;
        }
        break;
    case QEvent::MouseButtonRelease:
        // Wherever the release goes (a popup the press opened), it ends the gesture.
        if (held_ && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
            held_ = false;
            EndLater();
        }
        break;
    case QEvent::KeyPress:
    case QEvent::Wheel:
        // A key or wheel during a drag is part of the drag. A key that a
        // widget passes on to its parent comes here again: keys within one
        // turn of the event loop are one step.
        if (!held_ && !(ending_ && keyed_) && InWindow(watched)) {
            Begin();
            EndLater();
            keyed_ = true;
        }
        break;
    default: break;
    }
    return false;
}

void GestureSteps::Begin() {
    EndNow();
    model_.BeginStep();
}

void GestureSteps::EndLater() {
    ending_ = true;
    QTimer::singleShot(0, this, &GestureSteps::EndNow);
}

void GestureSteps::EndNow() {
    if (!ending_) return;
    ending_ = false;
    model_.EndStep();
}

}  // namespace mixer
