// The connections of the pages' widgets to the window's slots.
#include "app/mainwindow.h"
#include "db/leaguesession.h"
#include "league/leaguespage.h"
#include "league/membershippage.h"
#include "league/playerspage.h"
#include "league/schedulepage.h"
#include "results/resultform.h"
#include "results/resultspage.h"
#include "results/standingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

void MainWindow::connectPages() {
    const PlayersPage::Widgets& p = players->ui();
    connect(p.players, &QTableView::clicked, this, &MainWindow::SpielerAuswaehlen);
    connect(p.add, &QPushButton::clicked, this, &MainWindow::SpielerEintragen);
    connect(p.edit, &QPushButton::clicked, this, &MainWindow::SpielerBearbeiten);
    connect(p.clear, &QPushButton::clicked, this, &MainWindow::FelderSpielerLeeren);
    connect(p.remove, &QPushButton::clicked, this, &MainWindow::SpielerLoeschen);
    // Enter in a field does what the button of its group does.
    for (QLineEdit* field : {p.newName1, p.newName2})
        connect(field, &QLineEdit::returnPressed, this, &MainWindow::SpielerEintragen);
    for (QLineEdit* field : {p.editName1, p.editName2})
        connect(field, &QLineEdit::returnPressed, this, &MainWindow::SpielerBearbeiten);

    const LeaguesPage::Widgets& l = leagues->ui();
    connect(l.leagues, &QTableView::clicked, this, &MainWindow::LigaAuswaehlen);
    connect(l.add, &QPushButton::clicked, this, &MainWindow::LigaEintragen);
    connect(l.edit, &QPushButton::clicked, this, &MainWindow::LigaBearbeiten);
    connect(l.clear, &QPushButton::clicked, this, &MainWindow::FelderLigaLeeren);
    connect(l.remove, &QPushButton::clicked, this, &MainWindow::LigaLoeschen);
    connect(l.newName, &QLineEdit::returnPressed, this, &MainWindow::LigaEintragen);
    connect(l.editName, &QLineEdit::returnPressed, this, &MainWindow::LigaBearbeiten);

    const MembershipPage::Widgets& m = membership->ui();
    connect(m.league, &QComboBox::currentIndexChanged, this, &MainWindow::LigaZuordnungFuellen);
    connect(m.assign, &QToolButton::clicked, this, &MainWindow::ZuordnungEintragen);
    connect(m.remove, &QToolButton::clicked, this, &MainWindow::ZuordnungAustragen);
    connect(m.pool, &QTableView::doubleClicked, this, &MainWindow::ZuordnungEintragen);
    connect(m.members, &QTableView::doubleClicked, this, &MainWindow::ZuordnungAustragen);

    connectSchedule();
    connectResults();
    connect(table->ui().league, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleTabelleFullen);
    connect(statistics->ui().league, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleStatistikFuellen);
    connect(tabs, &QTabWidget::currentChanged, this, &MainWindow::tabAbfrage);
}

void MainWindow::connectSchedule() {
    const SchedulePage::Widgets& s = schedule->ui();
    connect(s.league, &QComboBox::currentIndexChanged, this, &MainWindow::ComboBoxAAuswahl);
    connect(s.compute, &QPushButton::clicked, this, &MainWindow::SpieltagBerechnung);
    connect(s.deleteSchedule, &QPushButton::clicked, this, &MainWindow::SpielplanLoeschen);
    connect(s.deleteResults, &QPushButton::clicked, this, &MainWindow::ErgebnisseLoeschen);
    connect(s.schedule, &QTableView::clicked, this, &MainWindow::tabelleSTanklicken);
    connect(s.swap, &QPushButton::clicked, this, &MainWindow::butTauschendruecken);
    connect(s.replace, &QPushButton::clicked, this, &MainWindow::butErsetzenDruecken);
    connect(s.returnRound, &QCheckBox::clicked, this, &MainWindow::RueckrundeWaehlen);
    connect(s.checkDuplicates, &QPushButton::clicked, this, &MainWindow::DBpruefen);
    connect(s.deleteDuplicates, &QPushButton::clicked, this, &MainWindow::DBdoppelLoeschen);
}

void MainWindow::connectResults() {
    const ResultsPage::Widgets& r = results->ui();
    connect(r.league, &QComboBox::currentIndexChanged, this, &MainWindow::comboErgSTLaden);
    // The player selector follows the league too, so that it always lists the chosen league's members.
    connect(r.league, &QComboBox::currentIndexChanged, this, &MainWindow::comboEinzelLaden);
    connect(r.matchDay, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleNachSpielstandFuellen);
    connect(r.matchDay, &QComboBox::currentIndexChanged, this, &MainWindow::EingabeDeaktivieren);
    connect(r.byPlayer, &QPushButton::clicked, this, &MainWindow::tabelleNachSpielerFuellen);
    connect(r.results, &QTableView::clicked, this, &MainWindow::tabelleErgSTanklicken);
    connect(r.prodarter, &QPushButton::clicked, this,
            [this] { FensterWerteImportieren(tavorin::ImportPlatform::Prodarter); });
    connect(r.lidarts, &QPushButton::clicked, this,
            [this] { FensterWerteImportieren(tavorin::ImportPlatform::Lidarts); });
    connect(r.batch, &QPushButton::clicked, results, &ResultsPage::openBatchImport);
    const ResultForm::Widgets& f = r.form->ui();
    connect(f.mirror, &QCheckBox::clicked, this, &MainWindow::tabelleErgSTanklicken);
    for (QPushButton* save : {f.insert, f.update})
        connect(save, &QPushButton::clicked, this, &MainWindow::ErgebnisEintragen);
    for (const auto& side : f.fields) {
        for (QLineEdit* field : side)
            connect(field, &QLineEdit::returnPressed, this, &MainWindow::ErgebnisEintragen); // Enter saves
    }
}

void MainWindow::showRights() {
    const bool writable = session->store().mayWrite();
    const PlayersPage::Widgets& p = players->ui();
    const LeaguesPage::Widgets& l = leagues->ui();
    const MembershipPage::Widgets& m = membership->ui();
    const SchedulePage::Widgets& s = schedule->ui();
    const ResultsPage::Widgets& r = results->ui();
    const QList<QWidget*> writing = {p.newName1,      p.newName2,
                                     p.editName1,     p.editName2,
                                     p.add,           p.edit,
                                     p.remove,        l.newName,
                                     l.editName,      l.add,
                                     l.edit,          l.remove,
                                     m.assign,        m.remove,
                                     s.compute,       s.deleteSchedule,
                                     s.deleteResults, s.deleteDuplicates,
                                     s.swap,          s.replace,
                                     r.prodarter,     r.lidarts,
                                     r.batch,         m.withdraw,
                                     m.undoWithdraw};
    for (QWidget* control : writing)
        control->setEnabled(writable);
    r.form->setWritable(writable);
    for (QAction* action : {restoreAction, batchImportAction, newSeasonAction})
        action->setEnabled(writable);
    if (!readOnlyNote) {
        readOnlyNote = new QLabel(QStringLiteral("Nur Lesen"));
        readOnlyNote->setObjectName(QStringLiteral("nurLesenLabel"));
        statusBar()->addPermanentWidget(readOnlyNote);
    }
    readOnlyNote->setVisible(!writable);
}
