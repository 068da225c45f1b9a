#include "app/windowlayout.h"

#include "core/settingskeys.h"
#include "core/usersettings.h"

#include <QMainWindow>
#include <QSplitter>
#include <QTabWidget>

namespace WindowLayout {

using namespace SettingsKeys;

void saveTabs(ZrnSettings &s, const QTabWidget *tw, const QTabWidget *twe)
{
    if (tw)
        s.setValue(TabIndexMain, tw->currentIndex());
    if (twe)
        s.setValue(TabIndexTellmark, twe->currentIndex());
}

void saveSplitters(ZrnSettings &s, const QMainWindow *window)
{
    for (const SplitterKey &k : Splitters) {
        if (auto *sp = window->findChild<QSplitter *>(QLatin1String(k.objectName)))
            s.setValue(QLatin1String(k.key), sp->saveState());
    }
}

void saveGeometry(ZrnSettings &s, const QMainWindow *window)
{
    s.setValue(WindowGeometry, window->saveGeometry());
    s.setValue(WindowState, window->saveState());
}

namespace {
void restoreIndex(ZrnSettings &s, const QString &key, QTabWidget *tabs)
{
    if (!tabs || tabs->count() == 0)
        return;
    const int index = s.intValue(key, -1, 0, tabs->count() - 1);
    if (index >= 0)
        tabs->setCurrentIndex(index);
}
} // namespace

void restoreTabs(ZrnSettings &s, QTabWidget *tw, QTabWidget *twe)
{
    restoreIndex(s, TabIndexMain, tw);
    restoreIndex(s, TabIndexTellmark, twe);
}

void restoreSplitters(ZrnSettings &s, QMainWindow *window)
{
    for (const SplitterKey &k : Splitters) {
        auto *sp = window->findChild<QSplitter *>(QLatin1String(k.objectName));
        const QByteArray state = s.bytesValue(QLatin1String(k.key));
        // restoreState refuses data that is not a splitter state.
        if (sp && !state.isEmpty())
            sp->restoreState(state);
    }
}

void restoreGeometry(ZrnSettings &s, QMainWindow *window)
{
    const QByteArray geometry = s.bytesValue(WindowGeometry);
    if (!geometry.isEmpty())
        window->restoreGeometry(geometry);
    const QByteArray state = s.bytesValue(WindowState);
    if (!state.isEmpty())
        window->restoreState(state);
}

} // namespace WindowLayout
