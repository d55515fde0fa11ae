#include "results/standingspage.h"

#include "app/widgets.h"
#include "models/standingsmodel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QStringList tableHeaders = {
    QStringLiteral("Name"),   QStringLiteral("Spiele"),      QStringLiteral("Siege"),
    QStringLiteral("Remis"),  QStringLiteral("Niederlagen"), QStringLiteral("Legs"),
    QStringLiteral("Punkte"), QStringLiteral("AVG"),         QStringLiteral("Doppelquote")};
const QStringList statisticsHeaders = {QStringLiteral("Name"),
                                       QStringLiteral("20-"),
                                       QStringLiteral("20+"),
                                       QStringLiteral("40+"),
                                       QStringLiteral("60+"),
                                       QStringLiteral("80+"),
                                       QStringLiteral("100+"),
                                       QStringLiteral("140+"),
                                       QStringLiteral("171+"),
                                       QStringLiteral("180"),
                                       QStringLiteral("Highest Finish"),
                                       QStringLiteral("Best Leg")};

// What tells the two pages apart: the caption of the header row and the object names of its widgets.
struct Names {
    QString caption;
    QString table;
    QString league;
};

Names namesOf(StandingsPage::Kind kind) {
    if (kind == StandingsPage::Kind::LeagueTable)
        return {QStringLiteral("Tabelle - Liga: "), QStringLiteral("ligaTabelleTableWidget"),
                QStringLiteral("tabelleLigaComboBox")};
    return {QStringLiteral("Statistik - Liga: "), QStringLiteral("statistikTableWidget"),
            QStringLiteral("statistikLigaComboBox")};
}

} // namespace

StandingsPage::StandingsPage(const PageContext& context, Kind kind, QWidget* parent)
    : QWidget(parent), context(context) {
    using tavorin::models::StandingsModel;
    const bool table = kind == Kind::LeagueTable;
    model = new StandingsModel(*context.session,
                               table ? StandingsModel::Kind::LeagueTable : StandingsModel::Kind::Statistics,
                               table ? tableHeaders : statisticsHeaders, this);
    const Names names = namesOf(kind);

    // A header row of height 50 with the right-aligned caption and the league selector, the list below.
    auto* column = new QVBoxLayout(this);
    auto* header = new QWidget;
    widgets::designSize(header, -1, 50);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(names.caption);
    caption->setFont(context.large);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headerRow->addWidget(caption);
    w.league = new QComboBox;
    w.league->setObjectName(names.league);
    w.league->setFixedSize(200, 30);
    headerRow->addWidget(w.league);
    column->addWidget(header);

    w.table = widgets::tableView(model, names.table);
    // The figures take the width their captions and values need, the names the rest.
    w.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    w.table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    column->addWidget(w.table);
}

void StandingsPage::fill() {
    // The model keeps what it shows when the read fails.
    model->setLeague(widgets::chosenId(w.league), context.points);
}
