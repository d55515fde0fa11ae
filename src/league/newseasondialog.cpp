#include "league/newseasondialog.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using tavorin::Id;
namespace season = tavorin::newseason;

namespace {

constexpr int OldName = 0, NewName = 1, Up = 2, Down = 3;

QString text(const char* escaped) {
    return tavorin::replaceUmlautEscapes(QString::fromUtf8(escaped));
}

QSpinBox* countBox(int value, bool enabled) {
    auto* box = new QSpinBox;
    box->setRange(0, 99);
    box->setValue(enabled ? value : 0);
    box->setEnabled(enabled);
    return box;
}

// The dialog's widgets; every league a checkable item with its id.
NewSeasonDialog::Widgets makeWidgets(const QList<tavorin::League>& leagues) {
    NewSeasonDialog::Widgets w;
    w.leagues = new QListWidget;
    w.leagues->setObjectName(QStringLiteral("alteLigenListWidget"));
    for (const tavorin::League& league : leagues) {
        auto* item = new QListWidgetItem(league.name, w.leagues);
        item->setData(Qt::UserRole, league.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    w.up = widgets::button(QStringLiteral("Nach oben"), "nachObenButton");
    w.down = widgets::button(QStringLiteral("Nach unten"), "nachUntenButton");
    w.divisions = new QTableWidget(0, 4);
    w.divisions->setObjectName(QStringLiteral("saisonTableWidget"));
    w.divisions->setHorizontalHeaderLabels({QStringLiteral("Alte Liga"), QStringLiteral("Neue Liga"),
                                            QStringLiteral("Aufsteiger"), QStringLiteral("Absteiger")});
    w.divisions->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    w.schedules = new QCheckBox(text("Spielpl:ae:ne berechnen"));
    w.schedules->setObjectName(QStringLiteral("spielplaeneCheckBox"));
    w.returnRound = new QCheckBox(text("mit R:ue:ckrunde"));
    w.returnRound->setObjectName(QStringLiteral("rueckrundeCheckBox"));
    w.preview = new QPlainTextEdit;
    w.preview->setObjectName(QStringLiteral("vorschauTextEdit"));
    w.preview->setReadOnly(true);
    w.create = widgets::button(QStringLiteral("Anlegen"), "anlegenButton");
    return w;
}

} // namespace

NewSeasonDialog::NewSeasonDialog(const PageContext& context, QWidget* parent) : QDialog(parent), context(context) {
    setObjectName(QStringLiteral("neueSaisonDialog"));
    setWindowTitle(QStringLiteral("Neue Saison"));
    w = makeWidgets(context.store().leagues());
    QPushButton* cancel = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(text("Ligen der alten Saison, von oben (1. Liga) nach unten:")), 0, 0, 1, 2);
    grid->addWidget(w.leagues, 1, 0, 1, 2);
    grid->addWidget(w.up, 2, 0);
    grid->addWidget(w.down, 2, 1);
    grid->addWidget(w.divisions, 3, 0, 1, 2);
    grid->addWidget(w.schedules, 4, 0);
    grid->addWidget(w.returnRound, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Vorschau:")), 5, 0, 1, 2);
    grid->addWidget(w.preview, 6, 0, 1, 2);
    grid->addWidget(cancel, 7, 0);
    grid->addWidget(w.create, 7, 1);

    connect(w.leagues, &QListWidget::itemChanged, this, &NewSeasonDialog::rebuildDivisions);
    connect(w.divisions, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        names[w.divisions->item(item->row(), OldName)->data(Qt::UserRole).toLongLong()] = item->text();
        showPreview();
    });
    connect(w.up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(w.down, &QPushButton::clicked, this, [this] { move(1); });
    connect(w.create, &QPushButton::clicked, this, &NewSeasonDialog::createSeason);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    widgets::fitToScreen(this, QSize(640, 760));
    showPreview();
}

void NewSeasonDialog::move(int by) {
    const int row = w.leagues->currentRow(), to = row + by;
    if (row < 0 || to < 0 || to >= w.leagues->count())
        return;
    QListWidgetItem* item = w.leagues->takeItem(row);
    w.leagues->insertItem(to, item);
    w.leagues->setCurrentRow(to);
    rebuildDivisions();
}

void NewSeasonDialog::rebuildDivisions() {
    QSignalBlocker quiet(w.divisions);
    w.divisions->setRowCount(0);
    QList<QListWidgetItem*> checked;
    for (int i = 0; i < w.leagues->count(); ++i) {
        if (w.leagues->item(i)->checkState() == Qt::Checked)
            checked.append(w.leagues->item(i));
    }
    for (int row = 0; row < checked.size(); ++row) {
        const Id league = checked[row]->data(Qt::UserRole).toLongLong();
        const QString old = checked[row]->text();
        w.divisions->insertRow(row);
        auto* oldName = new QTableWidgetItem(old);
        oldName->setData(Qt::UserRole, league);
        oldName->setFlags(oldName->flags() & ~Qt::ItemIsEditable);
        w.divisions->setItem(row, OldName, oldName);
        w.divisions->setItem(row, NewName, new QTableWidgetItem(names.value(league, season::proposedName(old))));
        const QPair<int, int> count = counts.value(league, {2, 2});
        QSpinBox* up = countBox(count.first, row > 0);
        QSpinBox* down = countBox(count.second, row + 1 < checked.size());
        w.divisions->setCellWidget(row, Up, up);
        w.divisions->setCellWidget(row, Down, down);
        connect(up, &QSpinBox::valueChanged, this, [this, league](int v) {
            counts[league] = {v, counts.value(league, {2, 2}).second};
            showPreview();
        });
        connect(down, &QSpinBox::valueChanged, this, [this, league](int v) {
            counts[league] = {counts.value(league, {2, 2}).first, v};
            showPreview();
        });
    }
    showPreview();
}

QList<season::Division> NewSeasonDialog::chosenDivisions() {
    QList<season::Division> out;
    for (int row = 0; row < w.divisions->rowCount(); ++row) {
        const Id league = w.divisions->item(row, OldName)->data(Qt::UserRole).toLongLong();
        if (!tables.contains(league))
            tables.insert(league, context.store().rankedLeagueTable(league, context.points));
        out.append({league, w.divisions->item(row, OldName)->text(), tables.value(league)});
    }
    return out;
}

season::Plan NewSeasonDialog::currentPlan() {
    const QList<season::Division> divisions = chosenDivisions();
    QList<season::Border> borders;
    QStringList newNames;
    for (int row = 0; row < w.divisions->rowCount(); ++row) {
        newNames << w.divisions->item(row, NewName)->text();
        if (row > 0)
            borders.append({static_cast<QSpinBox*>(w.divisions->cellWidget(row, Up))->value(),
                            static_cast<QSpinBox*>(w.divisions->cellWidget(row - 1, Down))->value()});
    }
    return season::plan(divisions, borders, newNames);
}

void NewSeasonDialog::showPreview() {
    const season::Plan p = currentPlan();
    QStringList lines;
    for (const season::NewLeague& league : p.leagues) {
        lines << league.name;
        for (const season::Placed& m : league.members)
            lines << QStringLiteral("    %1 (%2)").arg(tavorin::standingsName(m.name1, m.name2), m.origin);
    }
    w.preview->setPlainText(p.refusal.isEmpty() ? lines.join(QLatin1Char('\n')) : p.refusal);
    w.create->setEnabled(p.refusal.isEmpty());
}

void NewSeasonDialog::createSeason() {
    const season::Plan p = currentPlan();
    if (context.readsFailing())
        return;
    if (!p.refusal.isEmpty()) {
        messages::show(3, QStringLiteral("  ") + p.refusal + QStringLiteral("  "));
        return;
    }
    if (!context.backup(QStringLiteral("Neue Saison anlegen")))
        return;
    const season::Creation how{w.schedules->isChecked(), w.returnRound->isChecked(), context.balanceHomeAway};
    if (!messages::writeSucceeded(season::create(context.store(), chosenDivisions(), p, how)))
        return;
    context.status(QStringLiteral("Neue Saison mit %1 Ligen angelegt"), QString::number(p.leagues.size()));
    accept();
}
