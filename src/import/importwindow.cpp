#include "import/importwindow.h"
#include "app/mainwindow.h"
#include "app/widgets.h"
#include "import/platformfetch.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

using namespace tavorin;

namespace {

const QString keineVerbindung = QStringLiteral("  Keine Verbindung m:oe:glich!  ");
const QString keineDaten = QStringLiteral("  F:ue:r diesen Link wurden keine Spieldaten gefunden!  ");

} // namespace

ImportWindow::ImportWindow(ImportPlatform platform, const PlatformAddresses& addresses, const FormPlayers& players,
                           QNetworkAccessManager* manager, QWidget* parent)
    : QDialog(parent), platform(platform), addresses(addresses), players(players),
      fetch(new PlatformFetch(manager, this)) {
    setObjectName(QStringLiteral("importDialog"));
    build(platform == ImportPlatform::Lidarts ? QStringLiteral("Lidarts Link: ") : QStringLiteral("Pro-Darter Link: "));
    connect(fetch, &PlatformFetch::finished, this, &ImportWindow::showResult);
}

ImportWindow::~ImportWindow() {
    setBusy(false);
}

// The link above, the values below it, "Abbrechen" and the take-over button at the foot.
void ImportWindow::build(const QString& linkCaption) {
    auto* label = new QLabel(linkCaption);
    label->setObjectName(QStringLiteral("linkLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(100);
    link = new QLineEdit;
    link->setObjectName(QStringLiteral("linkLineEdit"));
    importButton = widgets::button(QStringLiteral("Import"), "importButton");
    importButton->setDefault(true); // Enter in the link fetches
    QPushButton* cancel = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    takeOverButton =
        widgets::button(MainWindow::UmlauteErsetzen(QStringLiteral("Werte :ue:bernehmen")), "uebernehmenButton");
    takeOverButton->setEnabled(false);

    auto* raster = new QGridLayout(this);
    raster->setContentsMargins(10, 30, 30, 15);
    auto* linkZeile = new QHBoxLayout;
    linkZeile->addWidget(label);
    linkZeile->addWidget(link, 1);
    linkZeile->addWidget(importButton);
    raster->addLayout(linkZeile, 0, 0);
    raster->addWidget(buildTable(), 1, 0);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->setSpacing(0);
    knoepfe->addStretch();
    for (QPushButton* knopf : {cancel, takeOverButton}) {
        knopf->setMinimumWidth(155);
        knoepfe->addWidget(knopf);
    }
    knoepfe->addStretch();
    raster->addLayout(knoepfe, 2, 0);
    widgets::fitToScreen(this, QSize(610, 350));

    connect(importButton, &QPushButton::clicked, this, &ImportWindow::fetchRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(takeOverButton, &QPushButton::clicked, this, [this] {
        emit takeOverRequested();
        accept();
    });
}

// A row per value with its caption at the row's head, as the result form names its field, and a column for
// each of the form's players, headed by the form's caption. The window keeps its size: the rows scroll.
QTableView* ImportWindow::buildTable() {
    values = new QStandardItemModel(ImportPositionCount, 2, this);
    values->setHorizontalHeaderLabels({players.leftCaption, players.rightCaption});
    for (int row = 0; row < ImportPositionCount; ++row) {
        values->setVerticalHeaderItem(row, new QStandardItem(QString::fromLatin1(importRows[row].caption)));
        for (int side = 0; side < 2; ++side) {
            auto* cell = new QStandardItem;
            cell->setTextAlignment(Qt::AlignCenter);
            values->setItem(row, side, cell);
        }
    }
    auto* table = new QTableView;
    table->setObjectName(QStringLiteral("werteTableView"));
    table->setModel(values);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void ImportWindow::fetchValues() {
    if (busy)
        return;
    forgetValues();
    const QString text = link->text();
    if (text.isEmpty()) {
        MainWindow::MeldungAnzeigen(3, QStringLiteral("  Keine Adresse angegeben!  "));
        return;
    }
    gameId = gameIdOf(platform, text);
    if (gameId.isEmpty()) {
        MainWindow::MeldungAnzeigen(3, QStringLiteral("Der Text enth:ae:lt keinen Link zu einem Spiel."));
        return;
    }
    setBusy(true);
    fetch->start(platform, addresses, gameId);
}

void ImportWindow::showResult(const ImportedValues& result) {
    setBusy(false);
    switch (result.outcome) {
    case ImportOutcome::Ok:
        break;
    case ImportOutcome::NotFinished:
        MainWindow::MeldungAnzeigen(2, QStringLiteral("  Das Spiel ist noch nicht abgeschlossen!  "));
        return;
    case ImportOutcome::NoGameData:
        MainWindow::MeldungAnzeigen(2, keineDaten, result.reason);
        return;
    case ImportOutcome::NotFound:
        MainWindow::MeldungAnzeigen(4, keineDaten, result.reason);
        return;
    case ImportOutcome::TimedOut:
    case ImportOutcome::NoConnection:
        MainWindow::MeldungAnzeigen(4, keineVerbindung, result.reason);
        return;
    }
    offered = result;
    const NameOrder order = checkNames(offered.firstName, offered.secondName, players.leftName, players.rightName);
    if (order == NameOrder::Crossed)
        offered.swapSides();
    showValues();
    if (order == NameOrder::Mismatch) {
        // Shown, so that the user sees whose game it is, but not offered.
        MainWindow::MeldungAnzeigen(2, QStringLiteral("  Die Spielernamen stimmen nicht :ue:berein!  "));
        return;
    }
    ready = true;
    takeOverButton->setEnabled(true);
}

void ImportWindow::showValues() {
    for (int row = 0; row < ImportPositionCount; ++row) {
        for (int side = 0; side < 2; ++side) {
            QString value = (side == 0 ? offered.first : offered.second).value(importRows[row].position);
            if (value.endsWith(QLatin1Char('\n')))
                value.chop(1); // the doubles text's line break
            values->item(row, side)->setText(value);
        }
    }
}

void ImportWindow::forgetValues() {
    ready = false;
    takeOverButton->setEnabled(false);
    offered = ImportedValues();
    showValues();
}

std::optional<ImportTakeOver> ImportWindow::takeOver() {
    const bool wasReady = ready;
    ready = false;
    takeOverButton->setEnabled(false);
    if (!wasReady || importedLegTotal(offered.first, offered.second) <= 0)
        return std::nullopt;
    return ImportTakeOver{gameId, platformName(platform), {importedSide(offered.first), importedSide(offered.second)}};
}

void ImportWindow::done(int result) {
    fetch->abort();
    setBusy(false);
    QDialog::done(result);
}

void ImportWindow::setBusy(bool nowBusy) {
    if (busy == nowBusy)
        return;
    busy = nowBusy;
    importButton->setEnabled(!busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
