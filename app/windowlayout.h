#pragma once

#include <QRect>
#include <QVector>

class QMainWindow;
class QTabWidget;
class QWidget;
class ZrnSettings;

// The layout of the main window in the settings: current pages of `tw` and
// `twe`, the nine splitters (found by object name; a splitter that does not
// exist is skipped), geometry and window state.
namespace WindowLayout {

void saveTabs(ZrnSettings &s, const QTabWidget *tw, const QTabWidget *twe);
void saveSplitters(ZrnSettings &s, const QMainWindow *window);
void saveGeometry(ZrnSettings &s, const QMainWindow *window);

// A stored index that the tab widget does not have (a tab removed by the
// rights, a damaged file) leaves the tab widget as it is; without a stored
// main tab (the first start) `firstPage` of `tw` is shown.
void restoreTabs(ZrnSettings &s, QTabWidget *tw, QTabWidget *twe, QWidget *firstPage = nullptr);
void restoreSplitters(ZrnSettings &s, QMainWindow *window);
// The stored geometry, fitted to the screens there are now (fitToScreens);
// without one (the first start, a damaged value) the first placement on the
// primary screen.
void restoreGeometry(ZrnSettings &s, QMainWindow *window);

// Where the window opens on the first start, given the available area of
// the screen (without task bars).
struct Placement {
    QRect geometry;          // the window when not maximised: centred on the screen
    bool maximised = false;  // screens up to full HD: the whole area
};
Placement firstPlacement(const QRect &available);

// A stored window rectangle fitted to the available areas of the screens
// there are now (the primary first): onto the screen it overlaps most (the
// primary when it overlaps none, as when the external monitor it was on is
// gone), no larger than that screen and wholly on it.
QRect fitToScreens(const QRect &stored, const QVector<QRect> &screens);

} // namespace WindowLayout
