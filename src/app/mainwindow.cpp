#include "mainwindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QNetworkAccessManager>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

MainWindow::MainWindow(const QString& dbPfadDiesesLaufs, QWidget* parent)
    : QMainWindow(parent), titelBasis(QStringLiteral("Brenvik - Tavorin64 - Version 2.3.1")) {
    netz = new QNetworkAccessManager(this);
    setMinimumSize(1200, 750);

    EinstellungenLaden();
    if (!dbPfadDiesesLaufs.isEmpty())
        dbPfad = dbPfadDiesesLaufs;
    DatenbankOeffnen();
    schriftFett.setWeight(QFont::Bold);
    schriftNormal.setWeight(QFont::Normal);
    schriftGross.setWeight(QFont::Bold);
    schriftGross.setPixelSize(20);

    setWindowTitle(titelBasis + QStringLiteral(" - ") + dbPfad);

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
        tabWidget->addTab(*s.seite, QLatin1StringView(s.titel));
    }
    for (int index = 6; index >= 3; --index)
        tabWidget->removeTab(index);

    MenuesAufbauen();

    kopfSpieler = {QStringLiteral("id"), bezeichnungen.name1, bezeichnungen.name2};
    kopfLigen = {QStringLiteral("id"), QStringLiteral("Liga")};
    kopfSpiele = {QStringLiteral("id"), QStringLiteral("Spieltag"), bezeichnungen.heim,
                  bezeichnungen.gast,   QStringLiteral("heimId"),   QStringLiteral("gastId")};
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

    // The first fill runs before the selectors are connected, so it triggers no slot.
    DatenbankAbonnieren();
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

    show();
}

MainWindow::~MainWindow() = default;

void MainWindow::MenuesAufbauen() {
    QMenuBar* leiste = menuBar();
    leiste->setMaximumHeight(21);
    auto aktion = [this](QMenu* menue, const char* text, const char* name) {
        QAction* a = menue->addAction(UmlauteErsetzen(QLatin1StringView(text)));
        a->setObjectName(QLatin1StringView(name));
        return a;
    };

    QMenu* datei = leiste->addMenu(QStringLiteral("Datei"));
    datei->setObjectName(QStringLiteral("dateiMenu"));
    QAction* verbinden = aktion(datei, "Datenbank verbinden", "datenbankVerbindenAction");
    connect(verbinden, &QAction::triggered, this, &MainWindow::DatenbankImportieren);
    QAction* speichern = aktion(datei, "Datenbank speichern unter...", "datenbankSpeichernAction");
    connect(speichern, &QAction::triggered, this, &MainWindow::DatenbankSpeichern);
    datei->addSeparator();
    QAction* beenden = aktion(datei, "Beenden", "beendenAction");
    connect(beenden, &QAction::triggered, this, &QWidget::close);

    QMenu* bearbeiten = leiste->addMenu(QStringLiteral("Bearbeiten"));
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

    QMenu* ansicht = leiste->addMenu(QStringLiteral("Ansicht"));
    ansicht->setObjectName(QStringLiteral("ansichtMenu"));
    aktionVerwaltung = aktion(ansicht, "Verwaltung einblenden", "verwaltungAction");
    aktionVerwaltung->setCheckable(true);
    connect(aktionVerwaltung, &QAction::triggered, this, &MainWindow::TabVerwaltungEinAus);
}

void MainWindow::ZentralesLayoutAufbauen() {
    auto* zentral = new QWidget;
    zentral->setObjectName(QStringLiteral("zentralWidget"));
    auto* raster = new QGridLayout(zentral);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setSpacing(0);
    auto* links = new QWidget;
    links->setObjectName(QStringLiteral("randLinksWidget"));
    auto* rechts = new QWidget;
    rechts->setObjectName(QStringLiteral("randRechtsWidget"));
    for (QWidget* rand : {links, rechts})
        rand->setStyleSheet(QStringLiteral("background-color:gray;"));
    tabWidget->setFixedWidth(1200);
    tabWidget->setDocumentMode(true);
    raster->addWidget(links, 0, 0);
    raster->addWidget(tabWidget, 0, 1);
    raster->addWidget(rechts, 0, 2);
    setCentralWidget(zentral);
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
    spalte->setFixedWidth(breite);
    *layout = new QVBoxLayout(spalte);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return spalte;
}

QGroupBox* MainWindow::GruppeAnlegen(const QString& titel, int hoehe, const QString& objectName) {
    auto* gruppe = new QGroupBox(UmlauteErsetzen(titel));
    gruppe->setObjectName(objectName);
    gruppe->setFixedHeight(hoehe);
    return gruppe;
}

void MainWindow::TabelleFuellen(QTableWidget* tabelle, const QStringList& kopf, const QList<QStringList>& zeilen,
                                const ZellenGestaltung& gestalten) {
    // Long lists (a schedule of thousands of matches) are built while the table neither draws nor sorts.
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
                auto* zelle = new QTableWidgetItem(zeilen[row][column]);
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

QComboBox* MainWindow::LigaAuswahlAnlegen(const QString& objectName) {
    auto* auswahl = new QComboBox;
    auswahl->setObjectName(objectName);
    return auswahl;
}

QString MainWindow::AusgewaehlteLigaId(const QComboBox* auswahl) {
    return auswahl->currentData(Qt::UserRole).toString();
}

void MainWindow::TabVerwaltungEinAus(bool eingang1) {
    const bool sichtbar = tabWidget->indexOf(seiteSpieler) >= 0;
    if (eingang1 && !sichtbar) {
        tabWidget->insertTab(3, seiteSpieler, tr("  Spieler  "));
        tabWidget->insertTab(4, seiteLigen, tr("  Ligen  "));
        tabWidget->insertTab(5, seiteZuordnung, tr("  Zuordnung  "));
        tabWidget->insertTab(6, seiteSpieltage, tr("  Spieltage  "));
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

    tabelleSpielerFuellen();
    tabelleLigenFuellen();
    tabelleSpielerpoolFuellen();
    tabelleSTFuellen();
    ErsatzlisteFuellen();
    LigaZuordnungFuellen();
    ComboLigaFuellen();
    tabelleNachSpielstandFuellen();
    tabelleNachSpielerFuellen();
    tabelleErgSTFuellen();
    comboErgSTLaden();
    comboEinzelLaden();
    tabelleTabelleFullen();
    tabelleStatistikFuellen();
}
