#include "app/mainwindow.h"
#include "app/widgets.h"
#include "results/numbers.h"
#include "results/season.h"

#include <QBuffer>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QHBoxLayout>
#include <QPen>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

using tavorin::season::PlayerSeries;

namespace {

// Which line of a player a chart draws.
enum class Linie { Platz, Average };

// A line chart of every player's line, x the match days; hovering a line shows the value of its nearest
// point.
QChartView* diagramm(const QString& titel, const QList<PlayerSeries>& reihen, Linie linie, const QString& name) {
    auto* chart = new QChart;
    chart->setTitle(titel);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* view = new QChartView(chart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Spieltag"));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setTitleText(linie == Linie::Platz ? QStringLiteral("Platz") : QStringLiteral("Average"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    double ersterTag = 0, letzterTag = 0, kleinster = 0, groesster = 0;
    bool leer = true;
    for (qsizetype i = 0; i < reihen.size(); ++i) {
        const PlayerSeries& reihe = reihen[i];
        const QList<QPointF>& punkte = linie == Linie::Platz ? reihe.positions : reihe.averages;
        auto* serie = new QLineSeries;
        serie->setName(reihe.name);
        // A colour of its own for every player, the same in both charts.
        serie->setPen(QPen(QColor::fromHsv(int(i * 360 / reihen.size()), 200, i % 2 ? 150 : 220), 2));
        serie->append(punkte);
        serie->setPointsVisible(true);
        chart->addSeries(serie);
        serie->attachAxis(x);
        serie->attachAxis(y);
        for (const QPointF& p : punkte) {
            ersterTag = leer ? p.x() : std::min(ersterTag, p.x());
            letzterTag = leer ? p.x() : std::max(letzterTag, p.x());
            kleinster = leer ? p.y() : std::min(kleinster, p.y());
            groesster = leer ? p.y() : std::max(groesster, p.y());
            leer = false;
        }
        const QString spieler = reihe.name;
        QObject::connect(serie, &QLineSeries::hovered, view, [=](const QPointF& bei, bool drauf) {
            if (!drauf || punkte.isEmpty()) {
                QToolTip::hideText();
                return;
            }
            const QPointF p =
                *std::min_element(punkte.cbegin(), punkte.cend(), [&](const QPointF& a, const QPointF& b) {
                    return std::abs(a.x() - bei.x()) < std::abs(b.x() - bei.x());
                });
            const QString wert = linie == Linie::Platz
                                     ? QStringLiteral("Platz ") + QString::number(int(p.y()))
                                     : QStringLiteral("Average ") + tavorin::twoDecimals(float(p.y()));
            QToolTip::showText(QCursor::pos(),
                               spieler + QStringLiteral(": Spieltag ") + QString::number(int(p.x())) +
                                   QStringLiteral(", ") + wert,
                               view);
        });
    }

    // One tick per match day while they fit; positions from 1 at the top to the number of players.
    x->setRange(ersterTag, std::max(letzterTag, ersterTag + 1));
    const int tage = int(letzterTag - ersterTag) + 1;
    x->setTickCount(tage >= 2 && tage <= 20 ? tage : 5);
    if (linie == Linie::Platz) {
        const int spieler = std::max(2, int(reihen.size()));
        y->setReverse(true);
        y->setRange(1, spieler);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setTickCount(spieler <= 20 ? spieler : 5);
    } else {
        y->setRange(std::max(0.0, std::floor(kleinster) - 5), std::ceil(groesster) + 5);
        y->applyNiceNumbers();
    }
    return view;
}

} // namespace

void MainWindow::SaisonverlaufZeigen() {
    const QString liga = AusgewaehlteLigaId(comboLigaTabelle);
    const QList<tavorin::resultlist::Member> mitglieder = tavorin::resultlist::members(liga);
    const QList<tavorin::season::PlayedResult> ergebnisse = tavorin::season::playedResults(liga);
    if (LesenGescheitert())
        return;
    const QList<PlayerSeries> reihen = tavorin::season::seasonSeries(mitglieder, ergebnisse, punkte.reihenfolge);
    const QString ligaName = comboLigaTabelle->currentText();

    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("saisonverlaufDialog"));
    dialog->setWindowTitle(QStringLiteral("Saisonverlauf - ") + ligaName);
    auto* spalte = new QVBoxLayout(dialog);
    auto* diagramme = new QWidget;
    diagramme->setObjectName(QStringLiteral("diagrammeWidget"));
    auto* diagrammSpalte = new QVBoxLayout(diagramme);
    diagrammSpalte->setContentsMargins(0, 0, 0, 0);
    diagrammSpalte->addWidget(diagramm(QStringLiteral("Tabellenplatz nach jedem Spieltag"), reihen, Linie::Platz,
                                       QStringLiteral("platzChartView")));
    diagrammSpalte->addWidget(
        diagramm(QStringLiteral("Average je Spieltag"), reihen, Linie::Average, QStringLiteral("averageChartView")));
    spalte->addWidget(diagramme, 1);

    QPushButton* bild = widgets::button(QStringLiteral("Als Bild speichern..."), "bildSpeichernButton");
    QPushButton* schliessen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Fenster schlie:sz:en")), "schliessenButton");
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    for (QPushButton* knopf : {bild, schliessen}) {
        widgets::designSize(knopf, 180, 30);
        knoepfe->addWidget(knopf);
    }
    spalte->addLayout(knoepfe);
    connect(schliessen, &QPushButton::clicked, dialog, &QDialog::close);
    connect(bild, &QPushButton::clicked, dialog, [this, dialog, diagramme, ligaName] {
        const QString pfad = SpeicherortWaehlen(dialog, QStringLiteral("Als Bild speichern"),
                                                QStringLiteral("Saisonverlauf ") + ligaName, QStringLiteral("png"));
        if (pfad.isEmpty())
            return;
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        diagramme->grab().save(&png, "PNG");
        DateiSchreiben(pfad, png.data());
    });

    widgets::applyDesignSizes(dialog);
    widgets::fitToScreen(dialog, QSize(900, 760));
    dialog->exec();
    delete dialog;
}
