#pragma once

#include <QMap>
#include <QObject>
#include <QString>

// The fixed code lists of events that more than one form uses. Every user
// constructs one on the spot; the lists never change.
class ECiselniky : public QObject
{
    Q_OBJECT
public:
    ECiselniky();

    // Category code (0 or a single bit) -> text, in ascending code order.
    QMap<int, QString> categories() const { return m_categories; }

private:
    QMap<int, QString> m_categories;
};
