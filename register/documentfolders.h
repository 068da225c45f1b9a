#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <functional>

class QWidget;

// Every enterprise has a folder of documents in the user's locally
// synchronised cloud tree: <root>/ZRN/<normalised enterprise name>. The same
// folder serves the enterprise and all its centres. The program never
// creates or reads these folders; it only opens them in the file manager.

// Turns a company name into its folder name: trims, collapses blanks, drops
// the characters a file name cannot hold and the legal-form suffixes
// ("s.r.o.", "a.s.", "spol.", ...). Rewrites the text in place.
void normaliseCompanyName(QString &text);
QString normalisedCompanyName(const QString &name);

// root + "/ZRN/" + normalised name (an empty root gives "/ZRN/...").
QString enterpriseFolderPath(const QString &root, const QString &enterpriseName);

// How the Windows file manager is asked to show a path: "/select," first
// when the path is not an existing directory, then the native path.
QStringList explorerArguments(const QString &path);
// What the desktop's default handler is given: the folder itself when it
// exists, otherwise its parent folder.
QUrl folderUrlToOpen(const QString &path);

// Opens a path in the platform's file manager. Windows: "explorer" (falling
// back to the default handler); elsewhere the desktop's default handler.
void openInExplorer(const QString &path);

// Tests replace the opener so that nothing is launched; an empty function
// restores the platform's one.
using FolderOpener = std::function<void(const QString &path)>;
void setFolderOpener(FolderOpener opener);

// The folder of an enterprise (by id) or of the enterprise a centre belongs
// to; an empty text when the record does not exist.
QString enterpriseFolderFor(const QVariant &podnikId, const QString &root);
QString centreFolderFor(const QVariant &strediskoId, const QString &root);

// Opens those folders; do nothing (and return false) when the record is gone.
bool openEnterpriseFolder(const QVariant &podnikId, const QString &root);
bool openCentreFolder(const QVariant &strediskoId, const QString &root);

// The directory chooser of the document root, "Výběr rootového adresáře
// nextcloud", starting in the folder that holds the current root. Returns
// the chosen directory, or `current` unchanged when the user cancels.
// (Widgets library.)
QString chooseDocumentRoot(QWidget *parent, const QString &current);
