#pragma once

#include <QList>
#include <QSortFilterProxyModel>

// The sort/filter proxy of every tree and table of the program.
//
// Sorting (`sortMode`) compares the display texts of the source cells:
//   0 text (the base class comparison), 1 numeric (digit-only texts as
//   unsigned integers, the empty text as 0), 2 date in Qf::defaultDateFormat(),
//   3 date-time "dd.MM.yy hh:mm". A text that is not a date sorts before every
//   date, so empty dates come first in ascending order.
//
// Filtering is a plain, case-insensitive substring search (the filter text is
// never used as a regular expression). For the columns in `treeColumns` it
// searches the search keys (Qt::UserRole, made with stripDiacritics) through
// the hierarchy: a row is shown when its key matches, when its parent's key
// matches (a centre under a matching enterprise) or when a child matches.
// Pass the search text through stripDiacritics for those columns.
//
// Recursive filtering of the base class is switched on.
class QSMySortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    enum SortMode { SortText = 0, SortNumeric = 1, SortDate = 2, SortDateTime = 3 };

    explicit QSMySortFilterProxyModel(QObject *parent = nullptr);

    // Comparison used by lessThan; set it before sorting.
    int sortMode = SortText;
    // Columns filtered through the hierarchy by their search keys.
    QList<int> treeColumns;

    // Sets the text searched in the filter key column and re-filters. The
    // base class setters (setFilterFixedString, setFilterRegExp,
    // setFilterRegularExpression) work too: their pattern is taken as text,
    // with the escapes of a regular-expression pattern removed.
    void setFilterText(const QString &text);
    QString filterText() const;

    // Recursive test of one source index against the filter text.
    bool acceptIndex(QModelIndex index) const;

    // The pattern of the default date-time sort mode.
    static QString dateTimeFormat();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    const QString &needle() const;

    // The searched text, derived from the base class pattern and cached by it.
    mutable QString m_pattern;
    mutable int m_patternKind = -1;
    mutable QString m_needle;
};
