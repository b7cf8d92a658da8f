#pragma once
// The small mark beside the connection status: green while the editor and
// the mixer agree, amber when the last comparison had to mend something,
// nothing while offline or before the first comparison. Its tooltip is
// asked for when shown, so that "checked N s ago" is always current.

#include <QWidget>
#include <functional>

#include "host/sync_status.h"

namespace mixer {

class SyncMarkView : public QWidget {
    Q_OBJECT

public:
    explicit SyncMarkView(QWidget* parent = nullptr);

    void SetMark(SyncMark mark);
    SyncMark Mark() const { return mark_; }
    void SetTooltipSource(std::function<QString()> source) { tooltip_ = std::move(source); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SyncMark mark_ = SyncMark::None;
    std::function<QString()> tooltip_;
};

}  // namespace mixer
