#include "mainwindow.h"
#include "app/commandline.h"
#include "app/textescape.h"
#include "app/widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QNetworkAccessManager>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

// The tables' cells compare without regard to case, as the lists are sorted when they are read.
class Zelle : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};

// The platform's standard shortcut for `taste`; where the platform has none, `sonst`.
void Tastenkuerzel(QAction* aktion, QKeySequence::StandardKey taste, const QKeySequence& sonst) {
    const QList<QKeySequence> standard = QKeySequence::keyBindings(taste);
    aktion->setShortcuts(standard.isEmpty() ? QList<QKeySequence>{sonst} : standard);
}

} // namespace

MainWindow::MainWindow(const QString& dbPfadDiesesLaufs, QWidget* parent)
    : QMainWindow(parent), titelBasis(QStringLiteral("Brenvik - Tavorin64 - Version ") + tavorin::programVersion()) {
    netz = new QNetworkAccessManager(this);

    EinstellungenLaden();
    if (!dbPfadDiesesLaufs.isEmpty())
        dbPfad = dbPfadDiesesLaufs;
    DatenbankBeimStartOeffnen();
    schriftFett.setWeight(QFont::Bold);
    schriftNormal.setWeight(QFont::Normal);
    schriftGross.setWeight(QFont::Bold);
    schriftGross.setPixelSize(20);

    setWindowTitle(titelBasis + QStringLiteral(" - ") +
                   (dbPfad.isEmpty() ? QStringLiteral("keine Liga-Datenbank") : dbPfad));

    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("hauptTabWidget"));
    const struct {
        QWidget** seite;
        const char* name;
        const char* titel;
    } seiten[] = {
        {&seiteErgebnisse, "ergebnisseSeite", "  Ergebnisse  "},
        {&seiteTabelle, "tabelleSeite", "  Tabelle  "},
        {&seiteStatistik, "statistikSeite", "  Statistik  "},
        {&seiteSpieler, "spielerSeite", "  Spieler  "},
        {&seiteLigen, "ligenSeite", "  Ligen  "},
        {&seiteZuordnung, "zuordnungSeite", "  Zuordnung  "},
        {&seiteSpieltage, "spieltageSeite", "  Spieltage  "},
    };
    for (const auto& s : seiten) {
        *s.seite = new QWidget;
        (*s.seite)->setObjectName(QLatin1StringView(s.name));
        if (*s.seite != seiteZuordnung)
            (*s.seite)->setContentsMargins(0, 20, 0, 0);
        // A page scrolls when the window is smaller than its content, and grows with the window.
        auto* rahmen = new QScrollArea;
        rahmen->setObjectName(QLatin1StringView(s.name) + QStringLiteral("ScrollArea"));
        rahmen->setWidgetResizable(true);
        rahmen->setFrameShape(QFrame::NoFrame);
        rahmen->setWidget(*s.seite);
        tabWidget->addTab(rahmen, QLatin1StringView(s.titel));
    }
    for (int index = 6; index >= 3; --index)
        tabWidget->removeTab(index);

    MenuesAufbauen();

    kopfSpieler = {QStringLiteral("id"), bezeichnungen.name1, bezeichnungen.name2};
    kopfLigen = {QStringLiteral("id"), QStringLiteral("Liga")};
    kopfSpiele = {QStringLiteral("id"), QStringLiteral("Spieltag"), bezeichnungen.heim,
                  bezeichnungen.gast,   QStringLiteral("heimId"),   QStringLiteral("gastId")};
    kopfErgebnisse = kopfSpiele + QStringList{QStringLiteral("Ergebnis")};
    kopfTabelle = {QStringLiteral("Name"),   QStringLiteral("Spiele"),      QStringLiteral("Siege"),
                   QStringLiteral("Remis"),  QStringLiteral("Niederlagen"), QStringLiteral("Legs"),
                   QStringLiteral("Punkte"), QStringLiteral("AVG"),         QStringLiteral("Doppelquote")};
    kopfStatistik = {QStringLiteral("Name"),
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
    SeiteErgebnisseAufbauen();
    SeiteTabelleAufbauen();
    SeiteStatistikAufbauen();
    SeiteSpielerAufbauen();
    SeiteLigenAufbauen();
    SeiteZuordnungAufbauen();
    SeiteSpieltageAufbauen();
    ergebnisFormular->setEnabled(false);

    ZentralesLayoutAufbauen();
    statusBar()->setObjectName(QStringLiteral("statusBar")); // says what each command did
    const QList<QTableWidget*> tabellen = findChildren<QTableWidget*>();
    for (QTableWidget* tabelle : tabellen)
        widgets::fitColumns(tabelle);
    widgets::applyDesignSizes(this);

    // The first fill runs before the selectors are connected, so it triggers no slot. The file is opened
    // once for all of it rather than once for every view.
    DatenbankAbonnieren();
    {
        const tavorin::db::ConnectionGuard offen;
        tabelleSpielerFuellen();
        tabelleLigenFuellen();
        ComboLigaFuellen();
        tabelleSpielerpoolFuellen();
        MitspielerZaehlen();
        LigaZuordnungFuellen();
        comboErgSTLaden();
        tabelleSTFuellen();
        tabelleErgSTFuellen();
        tabelleTabelleFullen();
        tabelleStatistikFuellen();
        comboEinzelLaden();
    }

    connect(comboLigaSpieltage, &QComboBox::currentIndexChanged, this, &MainWindow::ComboBoxAAuswahl);
    connect(comboLigaZuordnung, &QComboBox::currentIndexChanged, this, &MainWindow::LigaZuordnungFuellen);
    connect(comboLigaErgebnisse, &QComboBox::currentIndexChanged, this, &MainWindow::comboErgSTLaden);
    // The player selector follows the league too, so that it always lists the chosen league's members.
    connect(comboLigaErgebnisse, &QComboBox::currentIndexChanged, this, &MainWindow::comboEinzelLaden);
    connect(comboSpieltag, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleNachSpielstandFuellen);
    connect(comboSpieltag, &QComboBox::currentIndexChanged, this, &MainWindow::EingabeDeaktivieren);
    connect(comboLigaTabelle, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleTabelleFullen);
    connect(comboLigaStatistik, &QComboBox::currentIndexChanged, this, &MainWindow::tabelleStatistikFuellen);
    connect(tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tabAbfrage);

    FensterZustandLaden();
    show();
}

MainWindow::~MainWindow() = default;

void MainWindow::MenuesAufbauen() {
    QMenuBar* leiste = menuBar();
    widgets::designSize(leiste, -1, 21); // taller only when the font needs it
    auto aktion = [this](QMenu* menue, const char* text, const char* name) {
        QAction* a = menue->addAction(UmlauteErsetzen(QLatin1StringView(text)));
        a->setObjectName(QLatin1StringView(name));
        return a;
    };

    QMenu* datei = leiste->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("dateiMenu"));
    QAction* verbinden = aktion(datei, "Datenbank verbinden", "datenbankVerbindenAction");
    Tastenkuerzel(verbinden, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(verbinden, &QAction::triggered, this, &MainWindow::DatenbankImportieren);
    QAction* speichern = aktion(datei, "Datenbank speichern unter...", "datenbankSpeichernAction");
    Tastenkuerzel(speichern, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(speichern, &QAction::triggered, this, &MainWindow::DatenbankSpeichern);
    QAction* wiederherstellen = aktion(datei, "Sicherung wiederherstellen...", "sicherungWiederherstellenAction");
    connect(wiederherstellen, &QAction::triggered, this, &MainWindow::SicherungWiederherstellen);
    datei->addSeparator();
    QAction* beenden = aktion(datei, "Beenden", "beendenAction");
    Tastenkuerzel(beenden, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(beenden, &QAction::triggered, this, &QWidget::close);

    QMenu* bearbeiten = leiste->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("bearbeitenMenu"));
    aktionTabelleCode = aktion(bearbeiten, "Tabelle als Foren-Code", "tabelleCodeAction");
    connect(aktionTabelleCode, &QAction::triggered, this, &MainWindow::tabelleForencodeErstellen);
    aktionStatistikCode = aktion(bearbeiten, "Statistik als Foren-Code", "statistikCodeAction");
    connect(aktionStatistikCode, &QAction::triggered, this, &MainWindow::statistikForencodeErstellen);
    aktionSpielplanCode = aktion(bearbeiten, "Spielplan als Foren-Code", "spielplanCodeAction");
    connect(aktionSpielplanCode, &QAction::triggered, this, &MainWindow::tabelleSpielplanErstellen);
    tabAbfrage();
    bearbeiten->addSeparator();
    QAction* einstellungen = aktion(bearbeiten, "Einstellungen", "einstellungenAction");
    connect(einstellungen, &QAction::triggered, this, &MainWindow::FensterEinstellungen);

    QMenu* ansicht = leiste->addMenu(QStringLiteral("&Ansicht"));
    ansicht->setObjectName(QStringLiteral("ansichtMenu"));
    aktionVerwaltung = aktion(ansicht, "Verwaltung einblenden", "verwaltungAction");
    aktionVerwaltung->setCheckable(true);
    connect(aktionVerwaltung, &QAction::triggered, this, &MainWindow::TabVerwaltungEinAus);
    QAction* saisonverlauf = aktion(ansicht, "Saisonverlauf", "saisonverlaufAction");
    connect(saisonverlauf, &QAction::triggered, this, &MainWindow::SaisonverlaufZeigen);

    // Ctrl+Tab and Ctrl+Shift+Tab move between the tabs wherever the focus is.
    auto* vor = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    vor->setObjectName(QStringLiteral("naechsterReiterShortcut"));
    auto* zurueck = new QShortcut(this);
    zurueck->setObjectName(QStringLiteral("vorigerReiterShortcut"));
    zurueck->setKeys(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    connect(vor, &QShortcut::activated, this, [this] { ReiterWechseln(1); });
    connect(zurueck, &QShortcut::activated, this, [this] { ReiterWechseln(-1); });
}

void MainWindow::ZentralesLayoutAufbauen() {
    // The tabs take the whole window; their pages grow with it.
    tabWidget->setDocumentMode(true);
    setCentralWidget(tabWidget);
}

void MainWindow::ReiterWechseln(int schritt) {
    const int anzahl = tabWidget->count();
    tabWidget->setCurrentIndex((tabWidget->currentIndex() + schritt + anzahl) % anzahl);
}

QWidget* MainWindow::Reiter(QWidget* seite) {
    // A page lies in the viewport of the scroll area that the tab shows.
    return seite->parentWidget()->parentWidget();
}

void MainWindow::FensterZustandLaden() {
    const tavorin::WindowState zustand = tavorin::readWindowState(tavorin::configFilePath(einstellungsOrdner));
    if (!restoreGeometry(zustand.geometry))
        widgets::fitToScreen(this, QSize(1200, 750));
    if (zustand.administration) {
        aktionVerwaltung->setChecked(true);
        TabVerwaltungEinAus(true);
        tabWidget->setCurrentIndex(0);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    tavorin::storeWindowState(tavorin::configFilePath(einstellungsOrdner),
                              {saveGeometry(), aktionVerwaltung->isChecked()});
    QMainWindow::closeEvent(event);
}

QTableWidget* MainWindow::TabelleAnlegen(const QStringList& kopf, const QString& objectName) {
    auto* tabelle = new QTableWidget;
    tabelle->setObjectName(objectName);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle->setAlternatingRowColors(true);
    tabelle->setColumnCount(int(kopf.size()));
    tabelle->setHorizontalHeaderLabels(kopf);
    return tabelle;
}

QWidget* MainWindow::SpalteAnlegen(int breite, const QString& objectName, QVBoxLayout** layout) {
    auto* spalte = new QWidget;
    spalte->setObjectName(objectName);
    widgets::designSize(spalte, breite);
    *layout = new QVBoxLayout(spalte);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return spalte;
}

QGroupBox* MainWindow::GruppeAnlegen(const QString& titel, int hoehe, const QString& objectName) {
    auto* gruppe = new QGroupBox(UmlauteErsetzen(titel));
    gruppe->setObjectName(objectName);
    widgets::designSize(gruppe, -1, hoehe);
    return gruppe;
}

void MainWindow::TabelleFuellen(QTableWidget* tabelle, const QStringList& kopf, const QList<QStringList>& zeilen,
                                const ZellenGestaltung& gestalten) {
    // Long lists (a schedule of thousands of matches) are built while the table neither draws nor sorts;
    // a sorting table sorts once all rows are in.
    const bool sortiert = tabelle->isSortingEnabled();
    tabelle->setSortingEnabled(false);
    tabelle->setUpdatesEnabled(false);
    tabelle->clear();
    tabelle->setRowCount(0);
    tabelle->setHorizontalHeaderLabels(kopf);
    tabelle->setRowCount(int(zeilen.size()));
    QAbstractItemModel* modell = tabelle->model();
    {
        // One change for all new cells instead of one for every cell.
        const QSignalBlocker einmal(modell);
        for (int row = 0; row < zeilen.size(); ++row) {
            for (int column = 0; column < zeilen[row].size(); ++column) {
                // Names are shown as every output shows them, without control or bidi characters.
                auto* zelle = new Zelle(tavorin::safeName(zeilen[row][column]));
                if (gestalten)
                    gestalten(row, column, zelle);
                tabelle->setItem(row, column, zelle);
            }
        }
    }
    if (!zeilen.isEmpty())
        emit modell->dataChanged(modell->index(0, 0), modell->index(modell->rowCount() - 1, modell->columnCount() - 1));
    tabelle->setSortingEnabled(sortiert);
    tabelle->setUpdatesEnabled(true);
}

void MainWindow::AuswahlFuellen(QComboBox* auswahl, const QList<QPair<QString, QVariant>>& eintraege) {
    {
        const QSignalBlocker stumm(auswahl);
        auswahl->clear();
        for (const auto& [text, daten] : eintraege)
            auswahl->addItem(text, daten);
    }
    emit auswahl->currentIndexChanged(auswahl->currentIndex());
}

void MainWindow::FilterAnwenden(QTableWidget* tabelle, const QString& text) {
    for (int row = 0; row < tabelle->rowCount(); ++row) {
        bool treffer = text.isEmpty();
        for (int column = 1; column <= 2 && !treffer; ++column) {
            const QTableWidgetItem* item = tabelle->item(row, column);
            treffer = item && item->text().contains(text, Qt::CaseInsensitive);
        }
        tabelle->setRowHidden(row, !treffer);
    }
}

QLineEdit* MainWindow::FilterAnlegen(QTableWidget* tabelle, const QString& objectName) {
    auto* filter = new QLineEdit;
    filter->setObjectName(objectName);
    filter->setPlaceholderText(QStringLiteral("Suchen") + QChar(0x2026));
    filter->setClearButtonEnabled(true);
    const auto anwenden = [tabelle, filter] { FilterAnwenden(tabelle, filter->text()); };
    connect(filter, &QLineEdit::textChanged, tabelle, anwenden);
    // Sorting moves the rows, not their hidden state.
    connect(tabelle->horizontalHeader(), &QHeaderView::sortIndicatorChanged, tabelle, anwenden);
    return filter;
}

QComboBox* MainWindow::LigaAuswahlAnlegen(const QString& objectName) {
    auto* auswahl = new QComboBox;
    auswahl->setObjectName(objectName);
    return auswahl;
}

QString MainWindow::AusgewaehlteLigaId(const QComboBox* auswahl) {
    return auswahl->currentData(Qt::UserRole).toString();
}

void MainWindow::TabVerwaltungEinAus(bool eingang1) {
    const bool sichtbar = tabWidget->indexOf(Reiter(seiteSpieler)) >= 0;
    if (eingang1 && !sichtbar) {
        tabWidget->insertTab(3, Reiter(seiteSpieler), tr("  Spieler  "));
        tabWidget->insertTab(4, Reiter(seiteLigen), tr("  Ligen  "));
        tabWidget->insertTab(5, Reiter(seiteZuordnung), tr("  Zuordnung  "));
        tabWidget->insertTab(6, Reiter(seiteSpieltage), tr("  Spieltage  "));
        if (std::exchange(spielerlistenVeraltet, false)) {
            tabelleSpielerFuellen();
            tabelleSpielerpoolFuellen();
        }
        tabWidget->setCurrentIndex(3);
    } else if (!eingang1 && sichtbar) {
        for (int index = 6; index >= 3; --index)
            tabWidget->removeTab(index);
    }
}

void MainWindow::tabAbfrage() {
    switch (tabWidget->currentIndex()) {
    case 0:
        aktionTabelleCode->setEnabled(false);
        aktionStatistikCode->setEnabled(false);
        aktionSpielplanCode->setEnabled(true);
        break;
    case 1:
        aktionTabelleCode->setEnabled(true);
        aktionStatistikCode->setEnabled(false);
        aktionSpielplanCode->setEnabled(false);
        break;
    case 2:
        aktionTabelleCode->setEnabled(false);
        aktionStatistikCode->setEnabled(true);
        aktionSpielplanCode->setEnabled(false);
        break;
    default:
        break; // the administration tabs keep the state of the last result tab
    }
}

void MainWindow::AllesNeuLaden() {
    comboSpieltag->clear();
    comboEinzel->clear();
    labelMitspieler->clear();
    labelResultierendeSpieltage->clear();
    labelNameLinks->clear();
    labelNameRechts->clear();

    FelderErgebnisLeeren();
    ergebnisFormular->setEnabled(false);
    gruppeImport->hide();

    const tavorin::db::ConnectionGuard offen; // one opening of the file for every view
    tabelleSpielerFuellen();
    tabelleLigenFuellen();
    tabelleSpielerpoolFuellen();
    // The league selectors refill what follows them: the schedule and its counts, the members, the match
    // days with the results by day, the player selector, the table and the statistics.
    ComboLigaFuellen();
    ErsatzlisteFuellen();
}
