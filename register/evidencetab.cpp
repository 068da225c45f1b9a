#include "register/evidencetab.h"
#include "core/report.h"

#include "core/centrepage.h"
#include "core/centrerecord.h"
#include "core/ids.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "core/usersettings.h"
#include "register/dialogfiltr.h"
#include "register/filtr.h"
#include "register/gpspage.h"
#include "register/historiepage.h"
#include "register/maintenance.h"
#include "register/podnikpage.h"
#include "register/podnikytree.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"

#include <QHash>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

using DetailPage::RowKind;

namespace {

// Object names of the register's own pages.
const char kPodnik[] = "tab_podnik";
const char kStredisko[] = "tab_stredisko";
const char kSpecifikace[] = "tab_specifikace";
const char kGps[] = "tab_gps";
const char kHistorie[] = "tab_historie";
const char kVyber[] = "tab_vyber";

bool askToSave(QWidget *parent)
{
    return Report::askToSave(parent, QObject::tr("Přejete si uložit změny?")) == Report::Answer::Yes;
}

QWidget *placeholder(const char *name, const QString &text = QString())
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto *layout = new QVBoxLayout(page);
    if (!text.isEmpty()) {
        auto *label = new QLabel(text, page);
        label->setObjectName(QStringLiteral("vyber_text"));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addStretch();
    return page;
}

} // namespace

struct EvidenceTab::Private {
    Session *session = nullptr;
    PodnikyTree *tree = nullptr;
    QSplitter *splitter = nullptr;
    QTabWidget *twe = nullptr;

    // The register's own pages; the pages of other subsystems are known
    // only through the registry.
    PodnikPage *podnik = nullptr;
    StrediskoPage *stredisko = nullptr;
    SpecifikacePage *specifikace = nullptr;
    GpsPage *gps = nullptr;
    QWidget *vyber = nullptr;

    RegisterMaintenance *maintenance = nullptr;
    DetailPage::Registry registry;
    struct Page {
        QWidget *widget;
        QString title;
    };
    QHash<QString, Page> pages;

    // Last tab the user looked at, separately for enterprises and centres.
    int podnikTab = -1;
    int strediskoTab = -1;

    // The tree row whose pages are shown; a failed save goes back to it.
    QPersistentModelIndex shownRow;
    // What the pages shown were told to show.
    TreeRow row;
    bool reverting = false;
    SaveQuestion question;

    bool present(QWidget *page) const { return page && twe->indexOf(page) >= 0; }

    void addPage(const DetailPage::PageEntry &entry, QWidget *widget)
    {
        widget->setObjectName(entry.objectName);
        widget->setParent(twe);
        widget->hide();
        registry.add(entry);
        pages.insert(entry.objectName, {widget, entry.title});
    }

    void rememberTab()
    {
        if (present(podnik))
            podnikTab = twe->currentIndex();
        if (present(stredisko))
            strediskoTab = twe->currentIndex();
    }

    void removeAll()
    {
        while (twe->count() > 0) {
            QWidget *page = twe->widget(0);
            twe->removeTab(0);
            page->hide();
        }
    }

    void showPages(const QStringList &names)
    {
        for (const QString &name : names) {
            const Page page = pages.value(name);
            if (page.widget)
                twe->addTab(page.widget, page.title);
        }
    }

    QList<ZrnPage *> presentPages() const
    {
        QList<ZrnPage *> list;
        for (int i = 0; i < twe->count(); ++i) {
            if (auto *page = qobject_cast<ZrnPage *>(twe->widget(i)))
                list << page;
        }
        return list;
    }

    // Pages that read for themselves (the event list, ...).
    void loadOthers(const QList<ZrnPage *> &handled)
    {
        for (ZrnPage *page : presentPages()) {
            if (!handled.contains(page) && !qobject_cast<CentrePage *>(page))
                page->load(row);
        }
    }

    void loadCentre()
    {
        // One read of the centre for every centre page shown.
        CentreRecord record;
        QString error;
        const bool ok = CentreRecord::read(row.id, &record, &error);
        if (!ok || !record.found) {
            // One message for the one failed read; every page is left empty
            // and locked, so nothing can be saved over a row never read.
            const QList<ZrnPage *> shown = presentPages();
            for (ZrnPage *page : shown)
                page->showNothing();
            if (!ok && !shown.isEmpty())
                shown.first()->showReadFailure(error);
            return;
        }
        for (ZrnPage *page : presentPages()) {
            if (auto *centrePage = qobject_cast<CentrePage *>(page))
                centrePage->loadFrom(record);
        }
        if (present(gps))
            gps->loadFrom(row, record.value("GPS"));
        loadOthers({gps});
    }

    void loadEnterprise()
    {
        if (present(podnik)) {
            podnik->load(row.id);
            if (present(gps)) {
                if (podnik->hasRow())
                    gps->loadFrom(row, podnik->loadedGps());
                else
                    gps->showNothing();
            }
        } else if (present(gps)) {
            gps->load(row);
        }
        loadOthers({podnik, gps});
    }
};

EvidenceTab::EvidenceTab(Session *session, QWidget *parent)
    : ZrnTab(parent)
    , d(new Private)
{
    setObjectName(QStringLiteral("EvidenceTab"));
    d->session = session;
    d->question = askToSave;

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->splitter = new QSplitter(Qt::Horizontal, this);
    d->splitter->setObjectName(QStringLiteral("splitter"));
    layout->addWidget(d->splitter);

    d->tree = new PodnikyTree(session, d->splitter);
    d->twe = new QTabWidget(d->splitter);
    d->twe->setObjectName(QStringLiteral("twe"));
    d->splitter->addWidget(d->tree);
    d->splitter->addWidget(d->twe);
    d->splitter->setStretchFactor(0, 1);
    d->splitter->setStretchFactor(1, 2);
    // Without a saved layout the detail pages get nearly three quarters of
    // the width: the enterprise's form beside its notes needs them on a
    // 1366 pixels wide screen.
    d->splitter->setSizes({340, 860});

    // Every page lives as long as the tab; only its place in `twe` changes.
    auto registerPages = [](const UserRights &r, RowKind kind) { return kind != RowKind::None && !r.minimalPages(); };
    d->podnik = new PodnikPage(session);
    d->addPage({QString::fromLatin1(kPodnik), tr("O podniku"), 10,
                [](const UserRights &r, RowKind kind) { return kind == RowKind::Enterprise && !r.minimalPages(); }, {}},
               d->podnik);
    d->stredisko = new StrediskoPage(session);
    d->addPage({QString::fromLatin1(kStredisko), tr("O středisku"), 10,
                [](const UserRights &r, RowKind kind) { return kind == RowKind::Centre && !r.minimalPages(); }, {}},
               d->stredisko);
    d->specifikace = new SpecifikacePage(session);
    d->addPage({QString::fromLatin1(kSpecifikace), tr("Specifikace"), 20,
                [](const UserRights &r, RowKind kind) { return kind == RowKind::Centre && !r.minimalPages(); }, {}},
               d->specifikace);
    d->gps = new GpsPage(session);
    d->addPage({QString::fromLatin1(kGps), tr("GPS"), 50, registerPages, {}}, d->gps);
    // After every other page of the row.
    d->addPage({QString::fromLatin1(kHistorie), tr("Historie"), 900, registerPages, {}}, new HistoriePage(session));
    d->vyber = placeholder(kVyber, tr("Vyberte prosím podnik nebo středisko ..."));
    // The prompt: nothing selected, or an enterprise in the minimal view.
    d->addPage({QString::fromLatin1(kVyber), tr("Výběr"), 1000,
                [](const UserRights &r, RowKind kind) {
                    return kind == RowKind::None || (kind == RowKind::Enterprise && r.minimalPages());
                },
                {}},
               d->vyber);
    d->showPages({QString::fromLatin1(kVyber)});

    // Rebuilds the tree starts itself ("Obnovit", a new sort column) first
    // settle unsaved edits; the rebuilt tree only highlights its row.
    d->tree->setRebuildGuard([this] { return prepareRebuild(); });
    connect(d->tree, &PodnikyTree::selectionChanged, this,
            [this](const QVariant &podnikId, const QVariant &strediskoId, const QString &) {
                onSelection(podnikId, strediskoId);
            });
    // Maintenance of enterprises and centres from the tree and page buttons.
    RegisterMaintenance::Host host;
    host.settleEdits = [this] { return offerSave(); };
    host.showRow = [this](const QVariant &podnik, const QVariant &stredisko) { return showRow(podnik, stredisko); };
    d->maintenance = new RegisterMaintenance(session, this, host, this);
    connect(d->tree, &PodnikyTree::addPodnikRequested, d->maintenance, &RegisterMaintenance::onAddPodnik);
    connect(d->podnik, &PodnikPage::editPodnikRequested, d->maintenance, &RegisterMaintenance::onEditPodnik);
    connect(d->podnik, &PodnikPage::deletePodnikRequested, d->maintenance, &RegisterMaintenance::onDelPodnik);
    connect(d->podnik, &PodnikPage::addStrediskoRequested, d->maintenance, &RegisterMaintenance::onAddStredisko);
    connect(d->stredisko, &StrediskoPage::editStrediskoRequested, d->maintenance, &RegisterMaintenance::onEditStredisko);
    connect(d->stredisko, &StrediskoPage::deleteStrediskoRequested, d->maintenance, &RegisterMaintenance::onDelStredisko);
    connect(d->tree, &PodnikyTree::filtrRequested, this, &EvidenceTab::onFiltr);
    // "Export" and "Mapa" work on the enterprises the tree shows.
    connect(d->tree, &PodnikyTree::exportRequested, this, &ZrnTab::exportRequested);
    connect(d->tree, &PodnikyTree::mapaRequested, this, &ZrnTab::mapRequested);
    session->shownEnterprises = [tree = d->tree] { return tree->shownEnterpriseIds(); };

    connect(d->stredisko, &StrediskoPage::centreSaved, this,
            [this](int centreId, const QString &licence, const QDate &start) {
                d->tree->updateCentreRow(centreId, licence, start);
            });
}

void EvidenceTab::addPages(const DetailPage::Registry &registry)
{
    for (const DetailPage::PageEntry &entry : registry.pages()) {
        if (d->pages.contains(entry.objectName) || !entry.create)
            continue;
        if (ZrnPage *page = entry.create(d->session))
            d->addPage(entry, page);
    }
}

EvidenceTab::~EvidenceTab()
{
    delete d;
}

PodnikyTree *EvidenceTab::tree() const
{
    return d->tree;
}

QTabWidget *EvidenceTab::innerTabs() const
{
    return d->twe;
}

void EvidenceTab::setSaveQuestion(SaveQuestion question)
{
    d->question = question ? std::move(question) : SaveQuestion(askToSave);
}

bool EvidenceTab::offerSave()
{
    QList<ZrnPage *> dirty;
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty())
            dirty << page;
    }
    if (dirty.isEmpty() || !d->question(this))
        return true;
    // A page that cannot be saved has told the user why; it stays on screen.
    for (ZrnPage *page : dirty) {
        if (!page->save()) {
            d->twe->setCurrentWidget(page);
            return false;
        }
    }
    return true;
}

bool EvidenceTab::maybeSave()
{
    return offerSave();
}

bool EvidenceTab::hasUnsavedEdits() const
{
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty())
            return true;
    }
    return false;
}

bool EvidenceTab::saveUnsavedEdits()
{
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty() && !page->save()) {
            d->twe->setCurrentWidget(page);
            return false;
        }
    }
    return true;
}

void EvidenceTab::dropUnsavedEdits()
{
    if (!hasUnsavedEdits())
        return;
    if (d->row.isCentre())
        d->loadCentre();
    else
        d->loadEnterprise();
}

void EvidenceTab::onSelection(const QVariant &podnikId, const QVariant &strediskoId)
{
    if (d->reverting)
        return;
    QTreeView *view = d->tree->view();
    if (!offerSave()) {
        // Back to the row whose edits could not be saved.
        if (view && d->shownRow.isValid()) {
            d->reverting = true;
            view->selectionModel()->setCurrentIndex(d->shownRow, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            d->reverting = false;
        }
        return;
    }
    d->shownRow = view ? QPersistentModelIndex(view->currentIndex()) : QPersistentModelIndex();

    d->rememberTab();
    d->removeAll();

    // A centre's row names its enterprise too; the centre is what is shown.
    const TreeRow row = TreeRow::of(podnikId, strediskoId);
    const RowKind kind = row.kind;
    d->row = row;
    if (kind == RowKind::None) {
        d->showPages(d->registry.pagesFor(d->session->user, kind));
        return;
    }
    // What is selected, for the menus and the window; the pages are told
    // below. Each id is cleared when the other kind of row becomes current.
    d->session->setSelection(row.podnikId(), row.strediskoId());

    d->showPages(d->registry.pagesFor(d->session->user, kind));
    const bool minimal = d->session->user.minimalPages();
    int tab = 0;
    if (!minimal)
        tab = kind == RowKind::Centre ? d->strediskoTab : d->podnikTab;
    d->twe->setCurrentIndex(tab >= 0 && tab < d->twe->count() ? tab : 0);

    if (kind == RowKind::Centre)
        d->loadCentre();
    else
        d->loadEnterprise();
}

bool EvidenceTab::prepareRebuild()
{
    if (!offerSave())
        return false;
    // The rebuilt tree only highlights the remembered row; its pages are
    // loaded when the user makes a row current.
    d->rememberTab();
    d->removeAll();
    d->showPages({QString::fromLatin1(kVyber)});
    d->shownRow = QPersistentModelIndex();
    return true;
}


void EvidenceTab::restoreAdvancedFilter()
{
    // Built from the stored dialog state, never from stored SQL text.
    ZrnSettings s;
    d->tree->setAdvancedFilter(Filtr::conditionForDatabase(Filtr::State::load(s)));
}

bool EvidenceTab::showRow(const QVariant &podnikId, const QVariant &strediskoId)
{
    if (!prepareRebuild())
        return false;
    d->tree->refresh(podnikId, strediskoId);
    if (!isValidId(podnikId) && !isValidId(strediskoId)) {
        d->session->setSelection(QVariant(), QVariant());
        return true;
    }
    return d->tree->setCurrentRow(podnikId, strediskoId);
}

bool EvidenceTab::openRow(const RowRequest &request, QString *page)
{
    if (request.way == RowRequest::Way::InTree) {
        bool ok = false;
        const int podnik = request.podnik.toString().trimmed().toInt(&ok);
        // An enterprise the tree does not show (filter, rights) changes nothing.
        if (!ok || podnik <= 0 || !d->tree->shownEnterpriseIds().contains(podnik))
            return false;
        // The row first: its selection builds the enterprise's pages, whatever
        // row (enterprise, centre or none) was current before; then its page.
        d->tree->setCurrentRow(podnik, QVariant());
        const bool landed = d->session->s_id_podnik.toInt() == podnik && !isValidId(d->session->s_id_stredisko);
        // A page whose edits could not be saved stays in front instead.
        *page = landed ? request.page : QString();
        return true;
    }
    // A register that keeps unsaved edits (their save failed) keeps its
    // rows and its filter, and the user stays where he is.
    if (!maybeSave())
        return false;
    d->tree->clearFilter();
    if (!showRow(request.podnik, request.stredisko) && request.way == RowRequest::Way::Reveal)
        return false;
    *page = request.page;
    return true;
}

void EvidenceTab::onFiltr()
{
    DialogFiltr dlg(this);
    dlg.setWindowTitle(tr("Filtr"));
    if (dlg.exec() != QDialog::Accepted)
        return;
    // Edits that cannot be settled keep the tree as it is, and with it the
    // filter it shows: the new one is neither stored nor applied.
    if (!prepareRebuild())
        return;
    dlg.saveState();
    const QString condition = Filtr::conditionForDatabase(dlg.state());
    {
        // Kept for whoever reads it; the tree itself rebuilds the condition
        // from the state above.
        ZrnSettings s;
        s.setValue(SettingsKeys::FiltrSql, condition);
    }
    d->tree->setAdvancedFilter(condition);
    showRow(d->session->s_id_podnik, d->session->s_id_stredisko);
}

void EvidenceTab::refresh()
{
    showRow(d->session->s_id_podnik, d->session->s_id_stredisko);
}

void EvidenceTab::applyRights()
{
    d->tree->applyRights();
    for (const Private::Page &page : qAsConst(d->pages)) {
        if (auto *zrnPage = qobject_cast<ZrnPage *>(page.widget))
            zrnPage->applyRights();
    }
}

void EvidenceTab::applyRights(const UserRights &)
{
    applyRights();
    restoreAdvancedFilter();
}
