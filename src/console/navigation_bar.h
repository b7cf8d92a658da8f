#pragma once
// The controls along the top of the console: logo, page buttons with their
// overviews, the value display, the connection and HOME buttons and the group
// buttons, at their fixed places on the window's content.

#include <array>
#include <vector>

#include "console/page_overview.h"

class QWidget;

namespace mixer {

class CImageButton;
class CSkinLabel;
class CTextField;
class SyncMarkView;

inline constexpr int kValueBoxFontPixels = 20;  // character height in the value boxes

struct NavigationBar {
    // Creates every control as a child of parent.
    explicit NavigationBar(QWidget* parent);

    // Captions of language 1 or 2; any other value leaves them as they are.
    void SetCaptions(int language);
    // The status label under the connection button.
    void SetStatus(int language, bool online);
    // Page 1..4 drawn pressed, the other three released.
    void SetPressedPage(int page);
    // The overview bars and mute marks of page button 1..4.
    void SetOverview(int page, const std::vector<OverviewEntry>& entries);

    CSkinLabel* logo;
    std::array<CImageButton*, 4> pageButtons;
    std::array<CSkinLabel*, 4> pageLabels;
    CSkinLabel* channelName;
    CTextField* valueBox1;
    CTextField* valueBox2;
    CSkinLabel* parameterName;
    CImageButton* connection;
    CSkinLabel* connectionLabel;
    SyncMarkView* syncMark;  // whether the editor and the mixer agree
    CImageButton* home;
    CSkinLabel* homeLabel;
    std::array<CImageButton*, 4> muteGroupButtons;
    CSkinLabel* muteGroupLabel;
    std::array<CImageButton*, 4> controlGroupButtons;
    CSkinLabel* controlGroupLabel;
    // Undo and redo of the last step; faded while there is none.
    CImageButton* undo;
    CImageButton* redo;
};

}  // namespace mixer
