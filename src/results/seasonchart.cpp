#include "results/seasonchart.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "db/sqlitestore.h"
#include "results/numbers.h"
#include "results/season.h"

#include <QBuffer>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPen>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
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
enum class Line { Position, Average };

// The days and values the lines of a chart span.
struct Extent {
    double firstDay = 0, lastDay = 0, lowest = 0, highest = 0;
    bool empty = true;
    void add(const QPointF& p) {
        firstDay = empty ? p.x() : std::min(firstDay, p.x());
        lastDay = empty ? p.x() : std::max(lastDay, p.x());
        lowest = empty ? p.y() : std::min(lowest, p.y());
        highest = empty ? p.y() : std::max(highest, p.y());
        empty = false;
    }
};

// The tooltip of a hovered line: the player's value at its point nearest to `at`.
void showValue(QWidget* view, const QString& player, const QList<QPointF>& points, Line line, const QPointF& at) {
    const QPointF p = *std::min_element(points.cbegin(), points.cend(), [&](const QPointF& a, const QPointF& b) {
        return std::abs(a.x() - at.x()) < std::abs(b.x() - at.x());
    });
    const QString value = line == Line::Position ? QStringLiteral("Platz ") + QString::number(int(p.y()))
                                                 : QStringLiteral("Average ") + tavorin::twoDecimals(float(p.y()));
    QToolTip::showText(
        QCursor::pos(),
        player + QStringLiteral(": Spieltag ") + QString::number(int(p.x())) + QStringLiteral(", ") + value, view);
}

// The line of player `index` of `count`; hovering it shows the value of its nearest point.
QLineSeries* playerLine(QChartView* view, const PlayerSeries& player, Line line, qsizetype index, qsizetype count) {
    const QList<QPointF>& points = line == Line::Position ? player.positions : player.averages;
    auto* series = new QLineSeries;
    // Names are shown as every output shows them, without control or bidi characters.
    const QString name = tavorin::safeName(player.name);
    series->setName(name);
    // A colour of its own for every player, the same in both charts.
    series->setPen(QPen(QColor::fromHsv(int(index * 360 / count), 200, index % 2 ? 150 : 220), 2));
    series->append(points);
    series->setPointsVisible(true);
    QObject::connect(series, &QLineSeries::hovered, view, [=](const QPointF& at, bool over) {
        if (over && !points.isEmpty())
            showValue(view, name, points, line, at);
        else
            QToolTip::hideText();
    });
    return series;
}

// One tick per match day while they fit; positions from 1 at the top to the number of players.
void setRanges(QValueAxis* x, QValueAxis* y, Line line, const Extent& e, qsizetype players) {
    x->setRange(e.firstDay, std::max(e.lastDay, e.firstDay + 1));
    const int days = int(e.lastDay - e.firstDay) + 1;
    x->setTickCount(days >= 2 && days <= 20 ? days : 5);
    if (line == Line::Position) {
        const int places = std::max(2, int(players));
        y->setReverse(true);
        y->setRange(1, places);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setTickCount(places <= 20 ? places : 5);
    } else {
        y->setRange(std::max(0.0, std::floor(e.lowest) - 5), std::ceil(e.highest) + 5);
        y->applyNiceNumbers();
    }
}

// A line chart of every player's line, x the match days.
QChartView* chart(const QString& title, const QList<PlayerSeries>& players, Line line, const QString& name) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* view = new QChartView(chart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Spieltag"));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setTitleText(line == Line::Position ? QStringLiteral("Platz") : QStringLiteral("Average"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    Extent extent;
    for (qsizetype i = 0; i < players.size(); ++i) {
        QLineSeries* series = playerLine(view, players[i], line, i, players.size());
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        for (const QPointF& p : series->points())
            extent.add(p);
    }
    setRanges(x, y, line, extent, players.size());
    return view;
}

// The folder where the picture is proposed: the league file's.
QString fileFolder(const PageContext& context) {
    const auto* file = context.session->storeAs<tavorin::db::SqliteStore>();
    return file ? QFileInfo(file->location()).absolutePath() : context.settingsFolder;
}

// Asks where to save the picture of `charts` and writes it there whole, or reports why it could not.
void savePicture(QWidget* dialog, QWidget* charts, const QString& folder, const QString& leagueName) {
    // Characters that no file name may hold become underscores.
    static const QRegularExpression forbidden(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    const QString name =
        (QStringLiteral("Saisonverlauf ") + leagueName).trimmed().replace(forbidden, QStringLiteral("_"));
    const QString path = dialogs::chooseFile(dialog, {true, QStringLiteral("Als Bild speichern"),
                                                      folder + QLatin1Char('/') + name + QStringLiteral(".png"),
                                                      QStringLiteral("(*.png)")});
    if (path.isEmpty())
        return;
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    charts->grab().save(&png, "PNG");
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(png.data()) == png.size() && file.commit())
        return;
    messages::show(4, QStringLiteral("  Die Datei konnte nicht gespeichert werden!  "),
                   path + QStringLiteral(": ") + file.errorString());
}

} // namespace

SeasonChartWindow::SeasonChartWindow(const PageContext& context, tavorin::Id league, const QString& leagueName,
                                     QWidget* parent)
    : QDialog(parent) {
    QList<tavorin::Member> members = context.store().membersByFirstName(league);
    const QList<tavorin::season::PlayedResult> results = context.store().countedResults(league, context.points);
    const QList<tavorin::withdrawal::Withdrawal> withdrawn = context.store().withdrawals(league);
    if (context.readsFailing())
        return;
    members.removeIf([&](const tavorin::Member& m) {
        return tavorin::withdrawal::isWithdrawn(QString::number(m.player), withdrawn);
    });
    const QList<PlayerSeries> players = tavorin::season::seasonSeries(members, results, context.points.reihenfolge);

    setObjectName(QStringLiteral("saisonverlaufDialog"));
    setWindowTitle(QStringLiteral("Saisonverlauf - ") + leagueName);
    auto* column = new QVBoxLayout(this);
    auto* charts = new QWidget;
    charts->setObjectName(QStringLiteral("diagrammeWidget"));
    auto* chartColumn = new QVBoxLayout(charts);
    chartColumn->setContentsMargins(0, 0, 0, 0);
    chartColumn->addWidget(chart(QStringLiteral("Tabellenplatz nach jedem Spieltag"), players, Line::Position,
                                 QStringLiteral("platzChartView")));
    chartColumn->addWidget(
        chart(QStringLiteral("Average je Spieltag"), players, Line::Average, QStringLiteral("averageChartView")));
    column->addWidget(charts, 1);

    QPushButton* picture = widgets::button(QStringLiteral("Als Bild speichern..."), "bildSpeichernButton");
    QPushButton* close =
        widgets::button(tavorin::replaceUmlautEscapes(QStringLiteral("Fenster schlie:sz:en")), "schliessenButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {picture, close}) {
        widgets::designSize(button, 180, 30);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(picture, &QPushButton::clicked, this, [this, charts, folder = fileFolder(context), leagueName] {
        savePicture(this, charts, folder, leagueName);
    });
    widgets::applyDesignSizes(this);
    widgets::fitToScreen(this, QSize(900, 760));
    ready = true;
}
