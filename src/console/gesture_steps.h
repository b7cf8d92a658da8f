#pragma once
// Makes each input of the user's in the console window one undo step: a
// mouse press with all that follows until its release (a drag, a click, the
// choice in a menu the press opened), one key press or one turn of the
// wheel, together with everything the window does in answer: what the
// control groups repeat, a page's several edits, a recall's propagation.
// Steps the window names itself (a preset recall, CLEAR MUTE) nest inside
// and name the input's step.
//
// A click's edits come while its release is handled, after this filter has
// seen it, so the step ends at the next turn of the event loop, or at once
// when the next input comes first.

#include <QObject>

class QWidget;

namespace mixer {

class MixerModel;

class GestureSteps : public QObject {
    Q_OBJECT

public:
    // Watches the application's events for those of `window` and its popups.
    GestureSteps(QWidget& window, MixerModel& model);
    ~GestureSteps() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InWindow(const QObject* object) const;
    void Begin();
    void EndLater();
    void EndNow();

    QWidget& window_;
    MixerModel& model_;
    bool held_ = false;    // a mouse button is down
    bool ending_ = false;  // a step waits for its input to be handled
    bool keyed_ = false;   // that step began with a key or the wheel
};

}  // namespace mixer
