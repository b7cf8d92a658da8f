#pragma once
// The label of every page: a caption, or a parameter value formatted with
// divisor, offset, prefix, suffix and an OFF value, drawn over the page
// background (or on its own colour when not transparent). It can also show
// a skin image instead of text, as the console's logo does.

#include <QColor>
#include <QWidget>

#include "skin/label_format.h"
#include "skin/skin_images.h"

namespace mixer {

class CSkinLabel : public QWidget {
    Q_OBJECT

public:
    explicit CSkinLabel(QWidget* parent = nullptr);
    CSkinLabel(const QString& text, QWidget* parent);

    // Text mode: draws text as set.
    void SetText(const QString& text);
    // Numeric mode: draws the formatted value.
    void SetValue(double value);
    double GetValue() const { return value_; }
    bool IsTextMode() const { return textMode_; }
    // What the label draws now.
    QString DisplayText() const;

    void SetDivisor(double divisor);
    void SetOffset(double offset);
    void SetPrefix(const QString& prefix);
    void SetSuffix(const QString& suffix);
    void SetOffMode(int mode);
    void SetOffValues(double offValue1, double offValue2);

    void SetFontSize(int points);
    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return textColour_; }
    void SetBackgroundColour(const QColor& colour);
    void SetAlignment(Qt::Alignment alignment);
    // Transparent (the default): the page shows through; else the background colour fills the label.
    void SetTransparent(bool transparent);
    // A sunken 3-D frame around the label.
    void SetSunken(bool sunken);
    // Shows skin image id scaled into the label, keeping its proportions; -1 removes it.
    void SetImage(int id);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    bool textMode_ = true;
    double value_ = 0.0;
    LabelNumberFormat format_;
    QColor textColour_ = QColor(255, 255, 255);
    QColor background_ = QColor(30, 32, 38);
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool transparent_ = true;
    bool sunken_ = false;
    SkinPixmap image_;
};

}  // namespace mixer
