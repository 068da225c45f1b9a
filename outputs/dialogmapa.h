#pragma once

#include <QDialog>
#include <QString>

class QComboBox;

namespace Ui {
class DialogMapa;
}

// "Nastavení": the colouring rule of the map (combo "barveni").
class DialogMapa : public QDialog
{
    Q_OBJECT
public:
    explicit DialogMapa(QWidget *parent = nullptr, int rule = 0);
    ~DialogMapa() override;

    int rule() const;

private:
    Ui::DialogMapa *ui;
};

// "Nastavení exportu": extent, paper and DPI of the map image.
class DialogMapaExport : public QDialog
{
    Q_OBJECT
public:
    explicit DialogMapaExport(QWidget *parent = nullptr);

    // The extent index (0 Czech Republic, 1 "Dle bodu"), the paper in lower
    // case ("a4" ... "a0") and the DPI.
    void getValues(int *mapa, QString *paper, int *dpi) const;

private:
    QComboBox *m_mapa;
    QComboBox *m_papir;
    QComboBox *m_dpi;
};
