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
//
// A source model may keep sort keys of its own so that sorting thousands of
// rows does not parse or collate texts on every comparison: it answers the
// role SortKeyRole + sortMode with a key of the cell. Keys order the cells
// exactly as the comparison of that mode orders their display texts:
//   SortText     a qlonglong rank among the siblings in the order of
//                QString::localeAwareCompare, cells without text last (used
//                only with locale-aware sorting on the display role);
//   SortNumeric  numericSortKey() of the text, nothing when it is no number;
//   SortDate     dateSortKey() of the text;
//   SortDateTime a qint64 that grows with the date-time, the smallest for a
//                cell without one.
// lessThan compares the keys when both cells have one, else the texts.
// A source model that decides the filter of its tree column for all its
// rows at once: with thousands of rows one pass over the keys is much
// cheaper than asking every row and its children through the model.
class TreeFilterSource
{
public:
    virtual ~TreeFilterSource() = default;
    // 1 when the row passes the filter for the (folded) text as
    // QSMySortFilterProxyModel::acceptIndex decides it, 0 when not, -1 when
    // the source does not decide this column.
    virtual int acceptsFolded(const QModelIndex &index, const QString &text) const = 0;
    // The key the role SortKeyRole + mode gives for the cell, read without
    // a QVariant per comparison; false when the cell has none (the proxy
    // then compares the texts). Numeric keys compare as unsigned.
    virtual bool sortKey(const QModelIndex &index, int mode, qint64 *key) const
    {
        Q_UNUSED(index)
        Q_UNUSED(mode)
        Q_UNUSED(key)
        return false;
    }
};

class QSMySortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    enum SortMode { SortText = 0, SortNumeric = 1, SortDate = 2, SortDateTime = 3 };
    enum { SortKeyRole = Qt::UserRole + 0x100 };

    explicit QSMySortFilterProxyModel(QObject *parent = nullptr);

    // Comparison used by lessThan; set it before sorting.
    int sortMode = SortText;
    // Columns filtered through the hierarchy by their search keys.
    QList<int> treeColumns;

    // Sets the text searched in the filter key column and re-filters. The
    // base class setters (setFilterFixedString, setFilterRegExp,
    // setFilterRegularExpression) work too: their pattern is taken as text,
    // with the escapes of a regular-expression pattern removed (after an
    // empty setFilterText, only setFilterRegularExpression is noticed).
    void setFilterText(const QString &text);
    QString filterText() const;

    // Recursive test of one source index against the filter text.
    bool acceptIndex(QModelIndex index) const;

    // Without a filter, answered by the source: the view asks it of every row
    // it lays out, and the base class filters and sorts the children to answer.
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    void setSourceModel(QAbstractItemModel *model) override;

    // The pattern of the default date-time sort mode.
    static QString dateTimeFormat();

    // Keys of the numeric and the date comparison (see SortKeyRole): a text
    // of digits only (the empty text is 0), and a date in
    // Qf::defaultDateFormat() as its julian day (no date: before every date).
    static bool numericSortKey(const QString &text, quint64 *key);
    static qint64 dateSortKey(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    const QString &needle() const;

    // The text of setFilterText and its pattern.
    QString m_text;
    QString m_textPattern;
    const TreeFilterSource *m_treeSource = nullptr;
    mutable bool m_hasText = false;
    // The searched text, derived from the base class pattern and cached by it.
    mutable QString m_pattern;
    mutable int m_patternKind = -1;
    mutable QString m_needle;
};
