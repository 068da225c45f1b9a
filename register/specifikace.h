#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The technology sheet ("Specifikace") of a centre: its rows, their columns of
// tellmark_strediska and the fixed code lists.
namespace Specifikace {

enum class Kind { None, CodeList, Date };

struct Row {
    QString label;
    QString column;        // code list or date; empty for a note-only row
    Kind kind;
    QString second;        // second code list; empty when the row has none
    QString note;          // free-text note
};

// The 25 rows of the page, in order.
const QVector<Row> &rows();

// Every code-list column of the page (SIDT and SPAT included).
QStringList codeListColumns();

// Entries of the code list of a column, "Neurčeno" first; empty for a column
// that is not a code list.
QStringList codeList(const QString &column);

// Every column of tellmark_strediska the page writes (the code lists, dates,
// notes and SPOZNAMKA).
QStringList columns();

inline const QString NotesColumn = QStringLiteral("SPOZNAMKA");

} // namespace Specifikace
