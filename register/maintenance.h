#pragma once

#include <QObject>
#include <QVariant>

#include <functional>

class QSAres;
class QWidget;
class Session;

// Adding, renaming, regrouping and deleting enterprises and centres. Each
// operation first settles unsaved edits of the pages, then asks, then writes
// (MaintenanceStore), then rebuilds the tree with the affected row made
// current. The prompts and the messages can be replaced, so tests need no
// modal dialog.
class RegisterMaintenance : public QObject
{
    Q_OBJECT
public:
    // What the register tab does for the operations.
    struct Host {
        // Offers to save unsaved edits; false keeps everything as it is.
        std::function<bool()> settleEdits;
        // Rebuilds the tree and makes the row current (both ids invalid:
        // nothing current); false when the tree does not show the row.
        std::function<bool(const QVariant &podnikId, const QVariant &strediskoId)> showRow;
    };

    RegisterMaintenance(Session *session, QWidget *dialogParent, Host host, QObject *parent = nullptr);

    // A single-line prompt: false on Cancel.
    using Prompt = std::function<bool(QWidget *parent, const QString &title, const QString &label, QString *text)>;
    // An information box titled "ZRN".
    using Notify = std::function<void(QWidget *parent, const QString &text)>;
    // Renames an enterprise and sets its holding; false on Cancel.
    using EditEnterprise = std::function<bool(QWidget *parent, QVariant *name, QVariant *holdingId)>;
    void setPrompt(Prompt prompt);
    void setNotify(Notify notify);
    void setEditEnterprise(EditEnterprise edit);
    // The business-register client (owned by the caller); default: one of our own.
    void setAres(QSAres *ares);

    // Messages of the operations.
    static QString hiddenMessage(bool centre);

public slots:
    void onAddPodnik();
    void onEditPodnik();
    void onDelPodnik();
    void onAddStredisko();
    void onEditStredisko();
    void onDelStredisko();

private:
    // Reports a failure of the database ("Chyba: ..."); false.
    bool fail(const QString &databaseError);
    // The same for a count, which may also come back without a row.
    bool countFailed(const QString &databaseError);
    void show(const QVariant &podnikId, const QVariant &strediskoId, bool created, bool centre);
    void addByIco(qint64 ico);
    // Who the history names.
    QString login() const;

    Session *m_session;
    QWidget *m_parent;
    Host m_host;
    Prompt m_prompt;
    Notify m_notify;
    EditEnterprise m_edit;
    QSAres *m_ares = nullptr;
    QSAres *m_ownAres = nullptr;
};
