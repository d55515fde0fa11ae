#include "mainwindow.h"

#include "app/commandline.h"
#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "db/leaguefiles.h"
#include "league/leaguespage.h"
#include "league/membershippage.h"
#include "league/newseasondialog.h"
#include "league/playerspage.h"
#include "league/schedulepage.h"
#include "results/resultspage.h"
#include "results/standingspage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QMenuBar>
#include <QNetworkAccessManager>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

namespace {

// The platform's standard shortcut for `key`; where the platform has none, `otherwise`.
void shortcut(QAction* action, QKeySequence::StandardKey key, const QKeySequence& otherwise) {
    const QList<QKeySequence> standard = QKeySequence::keyBindings(key);
    action->setShortcuts(standard.isEmpty() ? QList<QKeySequence>{otherwise} : standard);
}

// A menu entry with its text through the umlaut escapes and its object name.
QAction* action(QMenu* menu, const char* text, const char* name) {
    QAction* a = menu->addAction(tavorin::replaceUmlautEscapes(QLatin1StringView(text)));
    a->setObjectName(QLatin1StringView(name));
    return a;
}

} // namespace

MainWindow::MainWindow(const QString& dbPfadDiesesLaufs, QWidget* parent)
    : QMainWindow(parent), session(new tavorin::db::LeagueSession(this)), network(new QNetworkAccessManager(this)) {
    const QString titleBase = QStringLiteral("Brenvik - Tavorin64 - Version ") + tavorin::programVersion();
    context.session = session;
    context.settingsFolder = tavorin::settingsDirectory();
    context.today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const tavorin::ProgramSettings read = tavorin::loadStartupSettings(context.settingsFolder);
    context.captions = read.captions;
    context.points = read.points;
    context.exports = read.exports;
    context.platforms = read.platforms;
    context.balanceHomeAway = read.balanceHomeAway;
    context.bold.setWeight(QFont::Bold);
    context.normal.setWeight(QFont::Normal);
    context.large.setWeight(QFont::Bold);
    context.large.setPixelSize(20);
    context.status = [this](const QString& text, const QString& name) { statusNote(text, name); };
    // A demo file of this run comes before a remembered server league.
    files = new LeagueFiles(context, this, titleBase, dbPfadDiesesLaufs.isEmpty() ? read.dbpfad : dbPfadDiesesLaufs,
                            dbPfadDiesesLaufs.isEmpty() ? read.server : QString());
    context.backup = [this](const QString& reason) { return files->backup(reason); };
    files->openAtStart();

    buildPages();
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("statusBar")); // says what each command did
    for (QTableView* view : findChildren<QTableView*>())
        widgets::fitColumns(view);
    widgets::applyDesignSizes(this);

    // The first fill runs before the selectors are connected, so it triggers no slot.
    fillAtStart();
    connectPages();
    showRights();
    connect(session, &tavorin::db::LeagueSession::replaced, this, &MainWindow::showRights);
    connect(session, &tavorin::db::LeagueSession::changed, this, &MainWindow::followChange);
    connect(session, &tavorin::db::LeagueSession::readFailed, this, &messages::readFailed);
    connect(files, &LeagueFiles::reloadNeeded, this, &MainWindow::AllesNeuLaden);
    restoreWindowState();
    show();
}

MainWindow::~MainWindow() = default;

QString MainWindow::UmlauteErsetzen(const QString& text) {
    return tavorin::replaceUmlautEscapes(text);
}

void MainWindow::MeldungAnzeigen(int kind, const QString& text, const QString& detail) {
    messages::show(kind, text, detail);
}

bool MainWindow::FrageAnzeigen(const QString& text) {
    return messages::ask(text);
}

void MainWindow::buildPages() {
    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("hauptTabWidget"));
    results = new ResultsPage(context, network);
    table = new StandingsPage(context, StandingsPage::Kind::LeagueTable);
    statistics = new StandingsPage(context, StandingsPage::Kind::Statistics);
    players = new PlayersPage(context);
    leagues = new LeaguesPage(context);
    membership = new MembershipPage(context);
    schedule = new SchedulePage(context);
    const struct {
        QWidget* page;
        const char* name;
        const char* title;
    } pages[] = {
        {results, "ergebnisseSeite", "  Ergebnisse  "},
        {table, "tabelleSeite", "  Tabelle  "},
        {statistics, "statistikSeite", "  Statistik  "},
        {players, "spielerSeite", "  Spieler  "},
        {leagues, "ligenSeite", "  Ligen  "},
        {membership, "zuordnungSeite", "  Zuordnung  "},
        {schedule, "spieltageSeite", "  Spieltage  "},
    };
    for (const auto& p : pages) {
        p.page->setObjectName(QLatin1StringView(p.name));
        if (p.page != membership)
            p.page->setContentsMargins(0, 20, 0, 0);
        // A page scrolls when the window is smaller than its content, and grows with the window.
        auto* frame = new QScrollArea;
        frame->setObjectName(QLatin1StringView(p.name) + QStringLiteral("ScrollArea"));
        frame->setWidgetResizable(true);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setWidget(p.page);
        tabs->addTab(frame, QLatin1StringView(p.title));
    }
    for (int index = 6; index >= 3; --index)
        tabs->removeTab(index);
    // The tabs take the whole window; their pages grow with it.
    tabs->setDocumentMode(true);
    setCentralWidget(tabs);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    widgets::designSize(bar, -1, 21); // taller only when the font needs it
    buildFileMenu(bar);
    QMenu* edit = bar->addMenu(QStringLiteral("&Bearbeiten"));
    edit->setObjectName(QStringLiteral("bearbeitenMenu"));
    tableCodeAction = action(edit, "Tabelle als Foren-Code", "tabelleCodeAction");
    connect(tableCodeAction, &QAction::triggered, this, &MainWindow::tabelleForencodeErstellen);
    statisticsCodeAction = action(edit, "Statistik als Foren-Code", "statistikCodeAction");
    connect(statisticsCodeAction, &QAction::triggered, this, &MainWindow::statistikForencodeErstellen);
    scheduleCodeAction = action(edit, "Spielplan als Foren-Code", "spielplanCodeAction");
    connect(scheduleCodeAction, &QAction::triggered, this, &MainWindow::tabelleSpielplanErstellen);
    tabAbfrage();
    edit->addSeparator();
    batchImportAction = action(edit, "Ergebnisse aus Links importieren...", "linksImportierenAction");
    connect(batchImportAction, &QAction::triggered, results, &ResultsPage::openBatchImport);
    edit->addSeparator();
    QAction* settings = action(edit, "Einstellungen", "einstellungenAction");
    connect(settings, &QAction::triggered, this, &MainWindow::FensterEinstellungen);

    QMenu* view = bar->addMenu(QStringLiteral("&Ansicht"));
    view->setObjectName(QStringLiteral("ansichtMenu"));
    administrationAction = action(view, "Verwaltung einblenden", "verwaltungAction");
    administrationAction->setCheckable(true);
    connect(administrationAction, &QAction::triggered, this, &MainWindow::TabVerwaltungEinAus);
    QAction* season = action(view, "Saisonverlauf", "saisonverlaufAction");
    connect(season, &QAction::triggered, this, &MainWindow::SaisonverlaufZeigen);

    // Ctrl+Tab and Ctrl+Shift+Tab move between the tabs wherever the focus is.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    next->setObjectName(QStringLiteral("naechsterReiterShortcut"));
    auto* previous = new QShortcut(this);
    previous->setObjectName(QStringLiteral("vorigerReiterShortcut"));
    previous->setKeys(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    const auto step = [this](int by) {
        tabs->setCurrentIndex((tabs->currentIndex() + by + tabs->count()) % tabs->count());
    };
    connect(next, &QShortcut::activated, this, [step] { step(1); });
    connect(previous, &QShortcut::activated, this, [step] { step(-1); });
}

void MainWindow::buildFileMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("dateiMenu"));
    QAction* connectFile = action(file, "Datenbank verbinden", "datenbankVerbindenAction");
    shortcut(connectFile, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(connectFile, &QAction::triggered, this, &MainWindow::DatenbankImportieren);
    QAction* save = action(file, "Datenbank speichern unter...", "datenbankSpeichernAction");
    shortcut(save, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(save, &QAction::triggered, this, &MainWindow::DatenbankSpeichern);
    restoreAction = action(file, "Sicherung wiederherstellen...", "sicherungWiederherstellenAction");
    connect(restoreAction, &QAction::triggered, files, &LeagueFiles::restore);
    file->addSeparator();
    newSeasonAction = action(file, "Neue Saison...", "neueSaisonAction");
    connect(newSeasonAction, &QAction::triggered, this, [this] { NewSeasonDialog(context, this).exec(); });
    file->addSeparator();
    QAction* server = action(file, "Mit Liga-Server verbinden...", "serverVerbindenAction");
    connect(server, &QAction::triggered, files, &LeagueFiles::connectServer);
    QAction* move = action(file, "Liga auf den Server :ue:bertragen...", "serverUebertragenAction");
    connect(move, &QAction::triggered, files, &LeagueFiles::moveToServer);
    file->addSeparator();
    QAction* quit = action(file, "Beenden", "beendenAction");
    shortcut(quit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::fillAtStart() {
    // The file is opened once for all of it rather than once for every view.
    const tavorin::db::LeagueStore::Hold open(session->store());
    listAdministration(false);
    leagues->reload();
    ComboLigaFuellen();
    membership->fillMembers();
    schedule->leagueChosen();
    results->fillMatchDays();
    results->showByDay();
    results->fillPlayers();
    table->fill();
    statistics->fill();
}

void MainWindow::restoreWindowState() {
    const tavorin::WindowState state = tavorin::readWindowState(tavorin::configFilePath(context.settingsFolder));
    if (!restoreGeometry(state.geometry))
        widgets::fitToScreen(this, QSize(1200, 750));
    if (state.administration) {
        administrationAction->setChecked(true);
        TabVerwaltungEinAus(true);
        tabs->setCurrentIndex(0);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    tavorin::storeWindowState(tavorin::configFilePath(context.settingsFolder),
                              {saveGeometry(), administrationAction->isChecked()});
    QMainWindow::closeEvent(event);
}

QWidget* MainWindow::tab(QWidget* page) const {
    // A page lies in the viewport of the scroll area that the tab shows.
    return page->parentWidget()->parentWidget();
}

void MainWindow::listAdministration(bool shown) {
    players->setListed(shown);
    membership->setListed(shown);
}

void MainWindow::statusNote(const QString& text, const QString& name) {
    const QString shown = UmlauteErsetzen(text);
    statusBar()->showMessage(name.isNull() ? shown : shown.arg(name), 10000);
}
