#pragma once

#include "core/page.h"
#include "core/rowsave.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace Ui { class PodnikPage; }
class QSSQL;
class QSTBTextedit;

// "O podniku": one row of tellmark_podniky - contacts, herd, software in
// use, the sales record, contract and invoicing terms and the free notes.
// Loaded whole for the enterprise it is told, saved whole by "Uložit"
// (`podnik_uloz`), which any edit enables. Its column table drives the
// statement that reads the row, the filling of the form and the save: an
// enterprise column is one row of that table, a field of the form and a
// column of the schema.
class PodnikPage : public ZrnPage
{
    Q_OBJECT
public:
    explicit PodnikPage(Session *session, QWidget *parent = nullptr);
    ~PodnikPage() override;

    // Reads the enterprise with this id and fills the page; an invalid id,
    // or an enterprise deleted meanwhile, leaves it empty.
    void load(const QVariant &podnikId);
    // A centre's row leaves the page empty.
    void load(const TreeRow &row) override { load(row.podnikId()); }
    void reload() override { load(m_podnikId); }
    void clear() override;
    bool save() override;
    // `fakturace` hides (0) or locks (1) the contract and invoicing block;
    // `os` hides the maintenance buttons.
    void applyRights() override;

    // The enterprise name of the loaded row (the header label).
    QString podnikName() const;
    // GPS of the loaded row, for the location page.
    QVariant loadedGps() const { return m_gps; }
    // The statement that reads the row: the columns of the table and those
    // the page only shows; the enterprise id is bound to ":id".
    QString selectStatement() const;

    // Turns stored responsible-person codes into the names shown in the
    // field. Default: the names of the events code lists.
    using CodesToNames = std::function<QString(const QString &codes)>;
    void setCodesToNames(CodesToNames convert);
    // Picks responsible persons starting from the given codes; returns false
    // when the user cancels. Default: the person chooser of the events with
    // the addresses the user keeps at hand. Replaceable so that tests need
    // no modal dialog.
    using PersonChooser = std::function<bool(QWidget *parent, QString *codes)>;
    void setPersonChooser(PersonChooser choose);

    Ui::PodnikPage *form() const;

signals:
    // Maintenance buttons of the header (renaming, deleting the enterprise,
    // adding a centre) - handled by the enterprise maintenance.
    void editPodnikRequested();
    void deletePodnikRequested();
    void addStrediskoRequested();

public slots:
    void onPodnikChanged();
    void onPodnikSave();
    void onSelectOOO();
    void onZRNSouboryPodnik();
    // Renaming and deleting the enterprise and adding a centre are done by
    // the register tab, which these announce to.
    void onEditPodnik() { emit editPodnikRequested(); }
    void onDelPodnik() { emit deletePodnikRequested(); }
    void onAddStredisko() { emit addStrediskoRequested(); }

private:
    // One edited column of the row and its widget.
    struct Field {
        enum Rule { Text, Identification, Date, CodeList, IndexList, Notes, Persons };
        const char *column;
        const char *label;     // as the page shows it (history, clashes)
        QWidget *widget;
        Rule rule;
    };
    QVector<Field> fieldTable() const;
    QVariant storedValue(const Field &field) const;
    // What the form would write, column by column.
    FieldValues formValues() const;

    void connectChanges();
    void fillFromRow(const QSSQL &q);
    void clearFields();

    Ui::PodnikPage *ui;
    QSTBTextedit *m_notesBar;
    CodesToNames m_codesToNames;
    PersonChooser m_personChooser;
    RowSnapshot m_snapshot;
    QVariant m_podnikId;       // the enterprise the page was told
    QVariant m_gps;
};
