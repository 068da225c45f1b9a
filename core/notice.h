#pragma once

#include <QString>
#include <QTime>

// Texts of the short notes the window's status bar shows after work whose
// result is not otherwise in sight: a save only greys its button, an export
// or a stored attachment leaves a file somewhere. A subsystem hands the text
// to Session::notify(); the window shows it.
namespace Notice {

// "Uloženo 14:02"
QString saved(const QTime &at = QTime::currentTime());
// "Exportováno 14:02: /cesta/soubor.csv"
QString exported(const QString &file, const QTime &at = QTime::currentTime());
// "Příloha uložena 14:02: /cesta/soubor.pdf"
QString attachmentStored(const QString &file, const QTime &at = QTime::currentTime());

} // namespace Notice
