#pragma once

#include <Qt>

class QAbstractItemView;
class QHeaderView;
class QSettings;
class QString;

// Column widths and sort of an item view, kept under a prefix:
// prefix + "/sectionSize" + column, prefix + "/sectionSort",
// prefix + "/sectionSortOrder".

// Widths above this are taken for a damaged file and ignored.
constexpr int MaxSectionWidth = 4000;

// Saves the width of every column and the given sort column and order.
void saveViewState(QSettings &settings, const QString &prefix, const QHeaderView *header,
                   int sortColumn, Qt::SortOrder order);
// The same, with the sort of the view's sort/filter proxy (or, without a
// proxy, the header's sort indicator).
void saveViewState(QSettings &settings, const QString &prefix, const QHeaderView *header);

// Resizes every column with a stored width > 0 (0 or missing keeps the
// view's width), then sorts the view's model by the stored column and order
// and sets the header's sort indicator to them.
// Without a stored sort the view sorts by `defaultColumn` in `defaultOrder`.
void restoreViewState(QSettings &settings, const QString &prefix, QHeaderView *header, int defaultColumn = 0,
                      Qt::SortOrder defaultOrder = Qt::AscendingOrder);

// Until the user resizes a column, each filling of the view's model sizes
// its shown columns to their contents and headers (none wider than half the
// view, or 320 pixels when the view is narrower). Widths restored by
// restoreViewState win: with them nothing is fitted.
void fitColumnsToContents(QAbstractItemView *view, QHeaderView *header);
