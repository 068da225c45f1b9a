#pragma once

#include "core/page.h"
#include "core/rowsave.h"

#include <QString>
#include <QUrl>
#include <QVariant>

class QWebEngineView;

namespace Ui {
class GpsPage;
}

// "GPS" (tab_gps): the coordinates of a centre or of an enterprise (the
// tree row it is told) and the position on a web map.
class GpsPage : public ZrnPage
{
    Q_OBJECT
public:
    explicit GpsPage(Session *session, QWidget *parent = nullptr);
    ~GpsPage() override;

    // Reads GPS of the centre or enterprise of the row.
    void load(const TreeRow &row) override;
    void reload() override { load(m_row); }
    // Fills the coordinates already read with the enterprise or centre row;
    // the page saves to that row.
    void loadFrom(const TreeRow &row, const QVariant &gps);
    void clear() override;
    bool save() override;

    void applyRights() override;

    // The map view (wvgps); created on first use, so pages that never show
    // the map need no web engine.
    QWebEngineView *mapView();

    // The address "Google" loads for the coordinates text.
    QUrl mapUrl() const;

public slots:
    void onGPSChanged();
    void onGPSSave();
    void onGPSShowGoogle();
    void onGPSUrlChanged(const QUrl &url);

private:
    void blankView();
    FieldValues formValues() const;

    Ui::GpsPage *ui;
    QWebEngineView *m_view = nullptr;
    TreeRow m_row;             // the enterprise or centre the page shows
    RowSnapshot m_snapshot{QStringLiteral("tellmark_podniky")};
};
