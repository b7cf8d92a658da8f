#pragma once
// The console's content: every page and the navigation bar stand on it, over
// the tiled background. The window moves it to scroll.

#include <QWidget>

#include "skin/skin_images.h"

namespace mixer {

class ConsoleCanvas : public QWidget {
public:
    static constexpr int kWidth = 2000;
    static constexpr int kHeight = 1600;
    static constexpr int kBackgroundImage = 188;

    // backgroundId: the skin image tiled over the content; without it the
    // plain window colour shows.
    explicit ConsoleCanvas(QWidget* parent, int backgroundId = kBackgroundImage);

    bool HasBackground() const { return !background_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SkinBackground& background_;
};

}  // namespace mixer
