#pragma once

#include <QString>

class QWidget;

// How the program tells the user that something failed or asks before it
// drops work: every page, dialog, list and job goes through here, so the
// boxes look and read the same everywhere. The database's own text is always
// shown below the program's sentence.
namespace Report {

// "Chyba: údaje nelze načíst." and the database's text.
void readFailed(QWidget *parent, const QString &databaseError);
// "Chyba: " and the database's text: a save failed.
void saveFailed(QWidget *parent, const QString &databaseError);
// "Chyba: <what>" and the database's text below it, when the program says
// what could not be done ("událost nelze smazat.").
void failed(QWidget *parent, const QString &what, const QString &databaseError);
// "Chyba SQL:" and the database's text: a list's statement failed.
void statementFailed(QWidget *parent, const QString &databaseError);
// A plain notice ("ZRN" box).
void info(QWidget *parent, const QString &text);
// "Otázka" with Yes and No, No by default; true on Yes.
bool ask(QWidget *parent, const QString &question);

enum class Answer { Yes, No, Cancel };
// "Otázka" before unsaved work is dropped: Yes (the default) saves, No drops,
// Cancel (when offered) keeps the user where they are.
Answer askToSave(QWidget *parent, const QString &question, bool offerCancel = false);

} // namespace Report
