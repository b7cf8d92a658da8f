#pragma once
// Stand-ins for the pages this build does not have yet: framed boxes that show
// where the console places a page and which page it is, and answer the
// console's calls without any behaviour of their own.

#include <QString>

#include "console/page_views.h"

namespace mixer {

// A single page with a caption in each language.
template <class Base>
class PagePlaceholder : public Base {
public:
    PagePlaceholder(const QString& english, const QString& chinese, QWidget* parent)
        : Base(parent), english_(english), chinese_(chinese), title_(english) {}

    void SetLabels(int language) override {
        if (language != 1 && language != 2) return;
        title_ = language == 1 ? english_ : chinese_;
        this->update();
    }
    QString Title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString english_;
    QString chinese_;
    QString title_;
};

class ChannelPagePlaceholder : public PagePlaceholder<ChannelPageView> {
public:
    using PagePlaceholder::PagePlaceholder;
    void SetChannel(int channel) override { channel_ = channel; }
    int Channel() const { return channel_; }

private:
    int channel_ = 0;
};

}  // namespace mixer
