#include "core/dialogauoouzivatel.h"

#include "core/eciselniky.h"
#include "core/staff.h"
#include "ui_dialogauoouzivatel.h"

#include <QPushButton>

#include <algorithm>

DialogAUOOUzivatel::DialogAUOOUzivatel(QWidget *parent, const QStringList &addresses)
    : QDialog(parent), ui(new Ui::DialogAUOOUzivatel)
{
    ui->setupUi(this);

    m_persons = {ui->cbo1, ui->cbo2, ui->cbo3, ui->cbo4, ui->cbo5, ui->cbo6, ui->cbo7, ui->cbo8};
    const QVector<StaffPerson> staff = ECiselniky::chooserPersons();
    for (int i = 0; i < m_persons.size(); ++i) {
        const StaffPerson person = staff.value(i);
        m_codes << person.code;
        m_persons[i]->setText(person.name);
        m_persons[i]->setVisible(!person.code.isEmpty());
    }

    // A box without an address stays empty; it is not offered.
    m_addresses = {ui->cbz1, ui->cbz2, ui->cbz3, ui->cbz4, ui->cbz5, ui->cbz6, ui->cbz7, ui->cbz8};
    for (int i = 0; i < m_addresses.size(); ++i) {
        const QString address = addresses.value(i);
        m_addresses[i]->setText(address);
        m_addresses[i]->setVisible(!address.isEmpty());
    }

    connect(ui->tb_all, &QToolButton::clicked, this, &DialogAUOOUzivatel::selectAll);
    connect(ui->tb_none, &QToolButton::clicked, this, &DialogAUOOUzivatel::selectNone);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogAUOOUzivatel::~DialogAUOOUzivatel()
{
    delete ui;
}

void DialogAUOOUzivatel::setAll(bool on)
{
    for (QCheckBox *box : m_persons + m_addresses)
        box->setChecked(on);
}

void DialogAUOOUzivatel::selectAll()
{
    setAll(true);
}

void DialogAUOOUzivatel::selectNone()
{
    setAll(false);
}

void DialogAUOOUzivatel::setValue(const QString &value)
{
    setAll(false);
    QStringList others;
    const QStringList parts = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString part : parts) {
        part.remove(QLatin1Char(' '));
        if (part.isEmpty())
            continue;
        // Codes match in any case; an address only as the box shows it, so a
        // kept address with capitals is never ticked again and lands with the
        // other addresses instead.
        const QString lower = part.toLower();
        int person = -1;
        for (int i = 0; i < m_codes.size() && person < 0; ++i)
            if (!m_codes.at(i).isEmpty() && m_codes.at(i).toLower() == lower)
                person = i;
        if (person >= 0) {
            m_persons.at(person)->setChecked(true);
            continue;
        }
        auto address = std::find_if(m_addresses.cbegin(), m_addresses.cend(),
                                    [&](const QCheckBox *box) { return box->text() == lower; });
        if (address != m_addresses.cend()) {
            (*address)->setChecked(true);
            continue;
        }
        // A staff code without a box of its own (a former member) keeps
        // its spelling, so the event still shows the person's name.
        const char *staffCode = nullptr;
        for (const StaffTable::Member &m : StaffTable::members)
            if (lower == QString::fromLatin1(m.code).toLower())
                staffCode = m.code;
        others << (staffCode ? QString::fromLatin1(staffCode) : lower);
    }
    ui->leoo->setText(others.join(QLatin1Char(',')));
}

QString DialogAUOOUzivatel::value() const
{
    QStringList parts;
    for (int i = 0; i < m_persons.size(); ++i)
        if (m_persons.at(i)->isChecked() && !m_codes.at(i).isEmpty())
            parts << m_codes.at(i);
    for (const QCheckBox *box : m_addresses)
        if (box->isChecked() && !box->text().isEmpty())
            parts << box->text();
    QString typed = ui->leoo->text();
    typed.remove(QLatin1Char(' '));
    if (!typed.isEmpty())
        parts << typed;
    return parts.join(QLatin1Char(','));
}

bool DialogAUOOUzivatel::choose(QWidget *parent, const QString &title, const QStringList &addresses, QString *value)
{
    DialogAUOOUzivatel dialog(parent, addresses);
    dialog.setWindowTitle(title);
    dialog.setValue(*value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *value = dialog.value();
    return true;
}
