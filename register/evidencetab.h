#pragma once

#include "core/zrntab.h"

#include "core/detailpage.h"

#include <QWidget>

#include <functional>

class Session;
class PodnikyTree;
class RegisterMaintenance;
class QTabWidget;
class QVariant;

// The "Podniky/střediska" tab: the enterprise tree with its tool bar on the
// left and the inner tab widget `twe` with the detail pages on the right.
class EvidenceTab : public ZrnTab
{
    Q_OBJECT
public:
    // Entering the tab refreshes the tree; the rights hide pages and restore the advanced filter.
    void enter() override { refresh(); }
    void applyRights(const UserRights &) override;
    explicit EvidenceTab(Session *session, QWidget *parent = nullptr);
    ~EvidenceTab() override;

    // Adds the pages other subsystems offer for the tree's rows (remote and
    // portal access, the events); the main window calls it at start-up.
    void addPages(const DetailPage::Registry &registry);

    // The advanced filter of the last confirmation, from the settings (call
    // once after login, before the first rebuild).
    void restoreAdvancedFilter();
    // Rebuilds the tree (settling unsaved edits and clearing the pages
    // first) and makes the row of the centre, or else of the enterprise,
    // current; both invalid: nothing is current. False when the tree does
    // not show the row or the edits could not be saved.
    bool showRow(const QVariant &podnikId, const QVariant &strediskoId);

    // Rebuilds the tree; the row that was current stays current, with the
    // page that was open (coming back to the register).
    void refresh();
    // Applies the rights of the signed-in user to the tree and the pages
    // (call once after login).
    void applyRights();
    // Offers to save unsaved edits of the current page; false when the user
    // wanted them saved and that failed (the page keeps them on screen).
    bool maybeSave();
    // Whether a page shown has edits not yet saved.
    bool hasUnsavedEdits() const override;
    // Saves every page with unsaved edits without asking; false when one
    // failed (it has told the user and keeps its edit on screen).
    bool saveUnsavedEdits() override;
    // Drops unsaved edits: the pages shown read their row again.
    void dropUnsavedEdits() override;

    // Shows the row another tab asked for (see RowRequest).
    bool openRow(const RowRequest &request, QString *page) override;

    PodnikyTree *tree() const;
    QTabWidget *innerTabs() const override;

    // Asks whether unsaved edits are to be saved ("Přejete si uložit
    // změny?"); true = save. Tests answer it without a dialog.
    using SaveQuestion = std::function<bool(QWidget *parent)>;
    void setSaveQuestion(SaveQuestion question);

public slots:
    // "Filtr": the advanced filter dialog; on confirmation the tree is
    // rebuilt with the new condition.
    void onFiltr();

private:
    // Asks about unsaved edits of the pages shown; false when a save failed.
    bool offerSave();
    // Settles unsaved edits and shows the prompt; false keeps the tree.
    bool prepareRebuild();
    void onSelection(const QVariant &podnikId, const QVariant &strediskoId);

    struct Private;
    Private *d;
};
