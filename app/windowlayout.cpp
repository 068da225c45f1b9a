#include "app/windowlayout.h"

#include "core/settingskeys.h"
#include "core/usersettings.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
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
// False when nothing usable is stored.
bool restoreIndex(ZrnSettings &s, const QString &key, QTabWidget *tabs)
{
    if (!tabs || tabs->count() == 0)
        return false;
    const int index = s.intValue(key, -1, 0, tabs->count() - 1);
    if (index < 0)
        return false;
    tabs->setCurrentIndex(index);
    return true;
}

// The available areas of the screens, the primary first.
QVector<QRect> availableAreas()
{
    QVector<QRect> areas;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}

int area(const QRect &r)
{
    return r.isValid() ? r.width() * r.height() : 0;
}
} // namespace

void restoreTabs(ZrnSettings &s, QTabWidget *tw, QTabWidget *twe, QWidget *firstPage)
{
    if (!restoreIndex(s, TabIndexMain, tw) && tw && firstPage && tw->indexOf(firstPage) >= 0)
        tw->setCurrentWidget(firstPage);
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

Placement firstPlacement(const QRect &available)
{
    Placement p;
    if (!available.isValid())
        return p;
    // The pages are laid out for full HD at most: up to that the window
    // takes the whole area, on a larger screen a full HD window is centred.
    const QSize fullHd(1920, 1080);
    p.maximised = available.width() <= fullHd.width() && available.height() <= fullHd.height();
    // Not maximised (or maximised and restored by the user) the window
    // keeps a margin of a fortieth on each side.
    const QSize size = p.maximised ? available.size() * 0.95 : available.size().boundedTo(fullHd);
    p.geometry = QRect(QPoint(0, 0), size);
    p.geometry.moveCenter(available.center());
    return p;
}

QRect fitToScreens(const QRect &stored, const QVector<QRect> &screens)
{
    if (screens.isEmpty())
        return stored;
    QRect screen = screens.first();
    int best = 0;
    for (const QRect &candidate : screens) {
        const int overlap = area(candidate.intersected(stored));
        if (overlap > best) {
            best = overlap;
            screen = candidate;
        }
    }
    if (!stored.isValid())
        return firstPlacement(screen).geometry;
    QRect fitted(stored.topLeft(), stored.size().boundedTo(screen.size()));
    fitted.moveLeft(qBound(screen.left(), fitted.left(), screen.right() - fitted.width() + 1));
    fitted.moveTop(qBound(screen.top(), fitted.top(), screen.bottom() - fitted.height() + 1));
    return fitted;
}

void restoreGeometry(ZrnSettings &s, QMainWindow *window)
{
    const QByteArray geometry = s.bytesValue(WindowGeometry);
    const QVector<QRect> screens = availableAreas();
    if (!geometry.isEmpty() && window->restoreGeometry(geometry)) {
        // A maximised window is placed by the window system on its screen.
        if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            // The frame (title bar) must be on the screen too, where known.
            const QRect frame = window->frameGeometry();
            const QMargins margins(window->geometry().left() - frame.left(), window->geometry().top() - frame.top(),
                                   frame.right() - window->geometry().right(),
                                   frame.bottom() - window->geometry().bottom());
            const QRect fitted = fitToScreens(frame, screens).marginsRemoved(margins);
            if (fitted != window->geometry())
                window->setGeometry(fitted);
        }
    } else if (!screens.isEmpty()) {
        const Placement p = firstPlacement(screens.first());
        window->setGeometry(p.geometry);
        if (p.maximised)
            window->setWindowState(window->windowState() | Qt::WindowMaximized);
    }
    const QByteArray state = s.bytesValue(WindowState);
    if (!state.isEmpty())
        window->restoreState(state);
}

} // namespace WindowLayout
