#pragma once

#include "core/detailpage.h"

#include <QWidget>

#include <functional>

class Session;
class PodnikyTree;
class QTabWidget;
class QVariant;

// The "Podniky/střediska" tab: the enterprise tree with its tool bar on the
// left and the inner tab widget `twe` with the detail pages on the right.
class EvidenceTab : public QWidget
{
    Q_OBJECT
public:
    explicit EvidenceTab(Session *session, QWidget *parent = nullptr);
    ~EvidenceTab() override;

    // Adds the pages other subsystems offer for the tree's rows (remote and
    // portal access, the events); the main window calls it at start-up.
    void addPages(const DetailPage::Registry &registry);

    // Rebuilds the tree, keeping the current enterprise and centre.
    void refresh();
    // Applies the rights of the signed-in user to the tree and the pages
    // (call once after login).
    void applyRights();
    // Offers to save unsaved edits of the current page; returns when done.
    void maybeSave();
    // Whether a page shown has edits not yet saved.
    bool hasUnsavedEdits() const;
    // Saves every page with unsaved edits without asking; false when one
    // failed (it has told the user and keeps its edit on screen).
    bool saveUnsavedEdits();

    PodnikyTree *tree() const;
    QTabWidget *innerTabs() const;

    // Asks whether unsaved edits are to be saved ("Přejete si uložit
    // změny?"); true = save. Tests answer it without a dialog.
    using SaveQuestion = std::function<bool(QWidget *parent)>;
    void setSaveQuestion(SaveQuestion question);

private:
    // Asks about unsaved edits of the pages shown; false when a save failed.
    bool offerSave();
    // Settles unsaved edits and shows the prompt; false keeps the tree.
    bool prepareRebuild();
    void onSelection(const QVariant &podnikId, const QVariant &strediskoId);

    struct Private;
    Private *d;
};
