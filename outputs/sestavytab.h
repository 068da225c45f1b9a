#pragma once

#include <QWidget>

class Session;
class QPrinter;
class QWebEngineView;

namespace Ui {
class SestavyTab;
}

// The "Sestavy" tab: the report buttons and the report view `webView`.
// The reports themselves are built by the reports module; the slots here are
// the entry points the buttons are wired to.
class SestavyTab : public QWidget
{
    Q_OBJECT
public:
    explicit SestavyTab(Session *session, QWidget *parent = nullptr);
    ~SestavyTab() override;

    QWebEngineView *reportView() const { return m_view; }

    // The tab became current: the overview is built on the first visit of a
    // run only.
    void enter();
    bool overviewShown() const { return m_overviewShown; }

public slots:
    // Filled in by the reports module.
    void onSetSestavaPrehled();
    void onSetSestavaPodniky();
    void onSetSestavaStrediska();
    void onSetSestavaAktualizace();
    void onSetSestavaVNC();
    void onPrint();
    void onSestavaVyber();
    void printDocument(QPrinter *printer);

signals:
    // Emitted by onSetSestavaPrehled, so that the first-visit rule can be
    // observed.
    void overviewRequested();

private:
    Ui::SestavyTab *ui;
    Session *m_session;
    QWebEngineView *m_view;
    bool m_overviewShown = false;
};
