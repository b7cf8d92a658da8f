#pragma once
// CGeqDlg: the 31-band graphic EQ page of one output (MAIN, AUX 1..6). One
// large bar graph whose bars are dragged one at a time or painted freehand
// with DRAW, RESET and the GEQ presets. MAIN's two records are one pair: an
// edit of output 0 writes and sends output 1 too.

#include "pages/frame/processing_page.h"
#include "pages/geq/geq_edits.h"

namespace mixer {

class CEqGraph;
class CImageButton;

class CGeqDlg : public CProcessingPage {
    Q_OBJECT

public:
    CGeqDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetLabels(int language) override;
    // The bars from the output's band gains.
    void RefreshFromState() override;

    // The controls' handlers, callable without the mouse.
    void OnPointMoved(int band, double x, double db, int held);
    void OnPointDoubleClicked(int band);
    void OnDraw();
    void OnReset();

    CEqGraph* Graph() const { return graph_; }
    CImageButton* DrawButton() const { return draw_; }
    CImageButton* ResetButton() const { return reset_; }

protected:
    bool ValidChannel(int output) const override { return IsGeqOutput(output); }
    bool Shows(const ChangeSet& changes) const override { return changes.Bus(channel_, kPartGeq); }
    void SendPoint(int band) override;
    void OnPresetRecalled() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CEqGraph* graph_;
    CImageButton* draw_;
    CImageButton* reset_;
};

}  // namespace mixer
