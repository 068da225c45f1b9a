#pragma once

class QMainWindow;
class QTabWidget;
class ZrnSettings;

// The layout of the main window in the settings: current pages of `tw` and
// `twe`, the nine splitters (found by object name; a splitter that does not
// exist is skipped), geometry and window state.
namespace WindowLayout {

void saveTabs(ZrnSettings &s, const QTabWidget *tw, const QTabWidget *twe);
void saveSplitters(ZrnSettings &s, const QMainWindow *window);
void saveGeometry(ZrnSettings &s, const QMainWindow *window);

// A stored index that the tab widget does not have (a tab removed by the
// rights, a damaged file) leaves the tab widget as it is.
void restoreTabs(ZrnSettings &s, QTabWidget *tw, QTabWidget *twe);
void restoreSplitters(ZrnSettings &s, QMainWindow *window);
void restoreGeometry(ZrnSettings &s, QMainWindow *window);

} // namespace WindowLayout
