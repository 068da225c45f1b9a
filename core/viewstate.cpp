#include "core/viewstate.h"

#include <QHeaderView>
#include <QSettings>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>

namespace {

QString sizeKey(const QString &prefix, int column)
{
    return prefix + QLatin1String("/sectionSize") + QString::number(column);
}

// A stored int, or def when missing, not a number or outside [min, max].
int storedInt(QSettings &s, const QString &key, int def, int min, int max)
{
    bool ok = false;
    const qlonglong v = s.value(key).toString().trimmed().toLongLong(&ok);
    return (ok && v >= min && v <= max) ? int(v) : def;
}

} // namespace

void saveViewState(QSettings &settings, const QString &prefix, const QHeaderView *header,
                   int sortColumn, Qt::SortOrder order)
{
    if (!header)
        return;
    for (int i = 0; i < header->count(); ++i)
        settings.setValue(sizeKey(prefix, i), header->sectionSize(i));
    settings.setValue(prefix + QLatin1String("/sectionSort"), sortColumn);
    settings.setValue(prefix + QLatin1String("/sectionSortOrder"), int(order));
}

void saveViewState(QSettings &settings, const QString &prefix, const QHeaderView *header)
{
    if (!header)
        return;
    if (auto *proxy = qobject_cast<const QSortFilterProxyModel *>(header->model()))
        saveViewState(settings, prefix, header, proxy->sortColumn(), proxy->sortOrder());
    else
        saveViewState(settings, prefix, header, header->sortIndicatorSection(),
                      header->sortIndicatorOrder());
}

void restoreViewState(QSettings &settings, const QString &prefix, QHeaderView *header)
{
    if (!header)
        return;
    for (int i = 0; i < header->count(); ++i) {
        const int w = storedInt(settings, sizeKey(prefix, i), 0, 0, MaxSectionWidth);
        if (w > 0)
            header->resizeSection(i, w);
    }
    const int columns = header->count();
    int column = storedInt(settings, prefix + QLatin1String("/sectionSort"), 0, -1, columns - 1);
    if (columns == 0)
        column = -1;
    const auto order = Qt::SortOrder(
        storedInt(settings, prefix + QLatin1String("/sectionSortOrder"), 0, 0, 1));
    if (QAbstractItemModel *model = header->model())
        model->sort(column, order);
    // Quietly: a list that rebuilds itself on a new sort column must not
    // read anything here (this runs at start, before the login).
    const QSignalBlocker blocker(header);
    header->setSortIndicator(column, order);
}
