#include "core/viewstate.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>
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

// Set on a header once stored widths were applied to it.
const char *const kStoredWidths = "zrnStoredWidths";

class ColumnFitter : public QObject
{
public:
    ColumnFitter(QAbstractItemView *view, QHeaderView *header) : QObject(header), m_view(view), m_header(header)
    {
        connect(header, &QHeaderView::sectionResized, this, [this] {
            // Only a drag (or a double click on a handle) is the user's;
            // the view stretching its last column is not.
            if (!m_fitting && QGuiApplication::mouseButtons() != Qt::NoButton)
                m_userSized = true;
        });
        if (QAbstractItemModel *model = view->model()) {
            connect(model, &QAbstractItemModel::modelReset, this, &ColumnFitter::schedule);
            connect(model, &QAbstractItemModel::layoutChanged, this, &ColumnFitter::schedule);
            // The first rows of a list, not every page appended as the
            // view is scrolled: each fit lays the view out anew, and a
            // tree view's layout asks its model for more rows.
            connect(model, &QAbstractItemModel::rowsInserted, this,
                    [this](const QModelIndex &parent, int first) {
                        if (!parent.isValid() && first == 0)
                            schedule();
                    });
        }
    }

private:
    bool done() const { return m_userSized || m_header->property(kStoredWidths).toBool(); }

    void schedule()
    {
        if (m_scheduled || done())
            return;
        m_scheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_scheduled = false;
            fit();
        });
    }

    void fit()
    {
        QAbstractItemModel *model = m_view ? m_view->model() : nullptr;
        if (done() || !model || model->rowCount() == 0)
            return;
        m_fitting = true;
        const int widest = qMax(320, m_view->viewport()->width() / 2);
        for (int c = 0; c < m_header->count(); ++c) {
            if (m_header->isSectionHidden(c))
                continue;
            const int contents = qMin(m_view->sizeHintForColumn(c), widest);
            m_header->resizeSection(c, qMax(contents, m_header->sectionSizeHint(c)));
        }
        m_fitting = false;
    }

    QPointer<QAbstractItemView> m_view;
    QHeaderView *m_header;
    bool m_fitting = false;
    bool m_scheduled = false;
    bool m_userSized = false;
};

} // namespace

void fitColumnsToContents(QAbstractItemView *view, QHeaderView *header)
{
    if (view && header)
        new ColumnFitter(view, header);
}

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

void restoreViewState(QSettings &settings, const QString &prefix, QHeaderView *header, int defaultColumn,
                      Qt::SortOrder defaultOrder)
{
    if (!header)
        return;
    for (int i = 0; i < header->count(); ++i) {
        const int w = storedInt(settings, sizeKey(prefix, i), 0, 0, MaxSectionWidth);
        if (w > 0) {
            header->resizeSection(i, w);
            header->setProperty(kStoredWidths, true);
        }
    }
    const int columns = header->count();
    int column = storedInt(settings, prefix + QLatin1String("/sectionSort"), qMin(defaultColumn, columns - 1), -1,
                           columns - 1);
    if (columns == 0)
        column = -1;
    const auto order = Qt::SortOrder(
        storedInt(settings, prefix + QLatin1String("/sectionSortOrder"), defaultOrder, 0, 1));
    if (QAbstractItemModel *model = header->model())
        model->sort(column, order);
    // Quietly: a list that rebuilds itself on a new sort column must not
    // read anything here (this runs at start, before the login).
    const QSignalBlocker blocker(header);
    header->setSortIndicator(column, order);
}
