#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

// The statements of event attachments, without widgets. The list of one
// event reads only ids and names; the bytes are read when a file is opened
// or saved.
namespace AttachmentStore {

struct Item {
    QVariant id;
    QString name;
};

bool list(const QVariant &eventId, QVector<Item> *items, QString *error);
// The stored bytes of one attachment; *found false when it is gone.
bool data(const QVariant &id, QByteArray *bytes, bool *found, QString *error);
bool insert(const QVariant &eventId, const QString &name, const QByteArray &bytes, QString *error);
bool rename(const QVariant &id, const QString &name, QString *error);
bool remove(const QVariant &id, QString *error);
// The largest statement the server takes now (the smaller of this
// connection's and the server's current limit); 0 when there is none or it
// cannot be read (the insert then reports what the server says).
qint64 packetLimit();

} // namespace AttachmentStore
