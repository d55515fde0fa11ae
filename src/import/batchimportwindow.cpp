#include "import/batchimportwindow.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "import/batchfetch.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace tavorin;
using namespace tavorin::batchimport;

namespace {

QString german(const char* text) {
    return replaceUmlautEscapes(QString::fromUtf8(text));
}

enum Column { LinkColumn, Player1Column, Player2Column, LegsColumn, OutcomeColumn, ColumnCount };

} // namespace

BatchImportWindow::BatchImportWindow(const PageContext& context, QNetworkAccessManager* manager, Id chosen,
                                     QWidget* parent)
    : QDialog(parent), context(context), fetch(new BatchFetch(manager, this)) {
    setObjectName(QStringLiteral("linksImportDialog"));
    setWindowTitle(german("Ergebnisse aus Links importieren"));
    build();
    const QList<League> leagues = context.store().leagues();
    for (const League& l : leagues)
        leagueBox->addItem(safeName(l.name), l.id);
    leagueBox->setCurrentIndex(qMax(0, leagueBox->findData(chosen)));
    leagueChosen();
    connect(leagueBox, &QComboBox::currentIndexChanged, this, &BatchImportWindow::leagueChosen);
    connect(fetch, &BatchFetch::arrived, this, &BatchImportWindow::arrived);
    connect(fetch, &BatchFetch::finished, this, &BatchImportWindow::fetchEnded);
}

BatchImportWindow::~BatchImportWindow() {
    setBusy(false);
}

// The league and the pasted text above, the progress and the review below, the buttons at the foot.
void BatchImportWindow::build() {
    leagueBox = new QComboBox;
    leagueBox->setObjectName(QStringLiteral("ligaComboBox"));
    text = new QPlainTextEdit;
    text->setObjectName(QStringLiteral("linksPlainTextEdit"));
    text->setPlaceholderText(german("Text mit Links zu Lidarts- oder Pro-Darter-Spielen hier einf:ue:gen"));
    fetchButton = widgets::button(QStringLiteral("Links abrufen"), "abrufenButton");
    cancelButton = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    cancelButton->setEnabled(false);
    saveButton = widgets::button(german(":Ue:bernehmen"), "uebernehmenButton");
    saveButton->setEnabled(false);
    QPushButton* close = widgets::button(german("Schlie:sz:en"), "schliessenButton");
    progress = new QProgressBar;
    progress->setObjectName(QStringLiteral("fortschrittProgressBar"));
    progress->setFormat(QStringLiteral("%v von %m"));
    progress->setRange(0, 1);
    progress->setValue(0);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Liga:")));
    top->addWidget(leagueBox, 1);
    layout->addLayout(top);
    layout->addWidget(text, 1);
    auto* fetchRow = new QHBoxLayout;
    fetchRow->addWidget(fetchButton);
    fetchRow->addWidget(progress, 1);
    fetchRow->addWidget(cancelButton);
    layout->addLayout(fetchRow);
    layout->addWidget(buildTable(), 2);
    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(saveButton);
    foot->addWidget(close);
    layout->addLayout(foot);
    widgets::fitToScreen(this, QSize(900, 600));

    connect(fetchButton, &QPushButton::clicked, this, &BatchImportWindow::fetchLinks);
    connect(cancelButton, &QPushButton::clicked, this, &BatchImportWindow::cancelFetch);
    connect(saveButton, &QPushButton::clicked, this, &BatchImportWindow::saveChecked);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* BatchImportWindow::buildTable() {
    review = new QStandardItemModel(0, ColumnCount, this);
    review->setHorizontalHeaderLabels({QStringLiteral("Link"), QStringLiteral("Spieler 1"), QStringLiteral("Spieler 2"),
                                       QStringLiteral("Legs"), QStringLiteral("Spiel")});
    auto* table = new QTableView;
    table->setObjectName(QStringLiteral("pruefungTableView"));
    table->setModel(review);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(OutcomeColumn, QHeaderView::Stretch);
    connect(review, &QStandardItemModel::itemChanged, this, &BatchImportWindow::checkChanged);
    return table;
}

void BatchImportWindow::leagueChosen() {
    const Id id = widgets::chosenId(leagueBox);
    LeagueView read{id, {}, {}, context.captions.anzeige};
    {
        const db::LeagueStore::Hold open(context.store());
        read.matches = context.store().leagueMatches(id);
        read.storedGames = context.store().importedGames();
    }
    if (context.readsFailing())
        return; // the review stays as it was
    league = read;
    showReview();
}

void BatchImportWindow::fetchLinks() {
    if (busy)
        return;
    links = findGameLinks(text->toPlainText());
    if (links.isEmpty()) {
        messages::show(3, QStringLiteral("Der Text enth:ae:lt keinen Link zu einem Spiel."));
        return;
    }
    unchecked.clear();
    fetched = QList<Fetched>(links.size());
    setBusy(true);
    leagueChosen(); // the league as it is now
    fetch->start(links, context.platforms);
    progress->setRange(0, fetch->gameCount());
    progress->setValue(fetch->arrivedCount());
}

void BatchImportWindow::cancelFetch() {
    fetch->cancel();
}

void BatchImportWindow::arrived(int link, const ImportedValues& values) {
    fetched[link] = values;
    progress->setValue(fetch->arrivedCount());
    showReview();
}

void BatchImportWindow::fetchEnded() {
    setBusy(false);
    showReview();
}

void BatchImportWindow::showReview() {
    rows = batchimport::review(links, fetched, league, busy);
    review->setRowCount(0); // the new items' check states are set before they are in the model: no itemChanged
    for (const ReviewRow& row : rows) {
        QList<QStandardItem*> cells;
        for (const QString& cell : {row.link, row.player1, row.player2, row.legs, row.outcome})
            cells.append(new QStandardItem(safeName(cell)));
        if (row.matched) {
            cells[LinkColumn]->setCheckable(true);
            cells[LinkColumn]->setCheckState(unchecked.contains(row.link) ? Qt::Unchecked : Qt::Checked);
        }
        cells[LegsColumn]->setTextAlignment(Qt::AlignCenter);
        review->appendRow(cells);
    }
    updateSaveButton();
}

void BatchImportWindow::updateSaveButton() {
    bool any = false;
    for (const ReviewRow& row : rows)
        any = any || (row.matched && !unchecked.contains(row.link));
    saveButton->setEnabled(any && !busy);
}

void BatchImportWindow::checkChanged(QStandardItem* item) {
    if (item->column() != LinkColumn || !item->isCheckable())
        return;
    const QString link = rows.value(item->row()).link;
    if (item->checkState() == Qt::Checked)
        unchecked.remove(link);
    else
        unchecked.insert(link);
    updateSaveButton();
}

void BatchImportWindow::saveChecked() {
    if (busy)
        return;
    QList<ReviewRow> chosen;
    for (const ReviewRow& row : rows) {
        if (row.matched && !unchecked.contains(row.link))
            chosen.append(row);
    }
    if (chosen.isEmpty())
        return;
    if (!context.backup(QStringLiteral("Ergebnisse aus Links importieren")))
        return;
    if (!messages::writeSucceeded(saveRows(context.store(), league.league, chosen, context.points))) {
        leagueChosen(); // the review as the league is now
        return;
    }
    context.status(
        QStringLiteral("%1 Ergebnisse gespeichert, %2 ausgelassen").arg(chosen.size()).arg(rows.size() - chosen.size()),
        QString());
    accept();
}

void BatchImportWindow::done(int result) {
    fetch->cancel();
    setBusy(false);
    QDialog::done(result);
}

void BatchImportWindow::setBusy(bool nowBusy) {
    if (busy == nowBusy)
        return;
    busy = nowBusy;
    fetchButton->setEnabled(!busy);
    cancelButton->setEnabled(busy);
    leagueBox->setEnabled(!busy);
    if (busy)
        saveButton->setEnabled(false);
}
