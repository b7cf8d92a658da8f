#pragma once
// The flat button of the channel strips: solid frame, face and caption colours
// in four states, no images.

#include <QAbstractButton>
#include <QColor>
#include <array>

namespace mixer {

class PngButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class State { Normal = 0, Over = 1, Down = 2, Gray = 3 };
    struct Colours {
        QColor frame;
        QColor face;
        QColor text;
    };

    explicit PngButton(QWidget* parent = nullptr);
    PngButton(const QString& caption, QWidget* parent);

    void SetColours(State state, const Colours& colours);
    Colours GetColours(State state) const;

    // "gray" when disabled; while hovered "down" when pressed, else "over";
    // otherwise "normal".
    State CurrentState() const;
    bool IsHovering() const { return hovering_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool PaintGlyph(QPainter& painter, const QRect& box) const;

    std::array<Colours, 4> colours_;
    bool hovering_ = false;
};

}  // namespace mixer
