#pragma once

#include "app/settings.h"
#include "db/leaguedatabase.h"
#include "export/forumcode.h"
#include "import/platformreplies.h"
#include "league/registry.h"
#include "results/resultentry.h"
#include "results/resultlist.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class QTextDocument;
class QTextEdit;
class QVBoxLayout;
namespace tavorin {
class ForumCodeWindow;
}
class ImportWindow;
struct ImportTakeOver;

// The program's one window: seven tab pages (three always shown, four administration pages behind
// "Verwaltung einblenden"), the menus, and the slots behind every user action.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `dbPfadDiesesLaufs`, when given, is the league database of this run instead of the remembered one;
    // config.ini keeps the remembered file.
    explicit MainWindow(const QString& dbPfadDiesesLaufs = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- text escapes and message boxes (app/mainwindow_text.cpp) ---
    // The displayed form of a stored interface text (umlaut escapes replaced).
    static QString UmlauteErsetzen(const QString& text);
    // A modal message box without parent, titled "Tavorin": kind 1 question, 2 information, 4 critical, any
    // other warning. `text` is shown through UmlauteErsetzen; `detail`, when given, follows on a new
    // line as it is (paths and database errors are not interface texts).
    static void MeldungAnzeigen(int kind, const QString& text, const QString& detail = QString());
    // A yes/no question (question icon, "Nein" the default); true when answered with yes.
    static bool FrageAnzeigen(const QString& text);

protected:
    // Remembers the window's geometry and whether the administration tabs are shown.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // In the order of their declaration; each group names the file that defines it.
    // frame (app/mainwindow.cpp)
    void TabVerwaltungEinAus(bool eingang1);
    // players (league/mainwindow_players.cpp)
    void SpielerEintragen();
    void SpielerAuswaehlen();
    void SpielerBearbeiten();
    void SpielerLoeschen();
    void FelderSpielerLeeren();
    // leagues (league/mainwindow_leagues.cpp)
    void LigaEintragen();
    void LigaAuswaehlen();
    void LigaBearbeiten();
    void LigaLoeschen();
    void FelderLigaLeeren();
    // schedule (league/mainwindow_schedule.cpp)
    void ComboBoxAAuswahl();
    // membership (league/mainwindow_membership.cpp)
    void LigaZuordnungFuellen();
    void ZuordnungEintragen();
    void ZuordnungAustragen();
    // leagues (league/mainwindow_leagues.cpp)
    void ComboLigaFuellen();
    // schedule (league/mainwindow_schedule.cpp)
    void SpieltagBerechnung();
    void SpielplanLoeschen();
    // schedule view and pairing changes (league/mainwindow_pairings.cpp)
    void ErgebnisseLoeschen();
    void tabelleSTanklicken();
    void butTauschendruecken();
    void butErsetzenDruecken();
    // result entry (results/mainwindow_resultform.cpp)
    void ErgebnisEintragen();
    // result views (results/mainwindow_resultviews.cpp)
    void tabelleNachSpielstandFuellen();
    void tabelleNachSpielerFuellen();
    void tabelleErgSTFuellen();
    void comboErgSTLaden();
    void comboEinzelLaden();
    // result entry (results/mainwindow_resultform.cpp)
    void tabelleErgSTanklicken();
    void EingabeDeaktivieren();
    // standings (results/mainwindow_standings.cpp) and export windows (export/mainwindow_exportwindows.cpp)
    void tabelleTabelleFullen();
    void tabelleForencodeErstellen();
    void tabelleStatistikFuellen();
    void statistikForencodeErstellen();
    void tabelleSpielplanErstellen();
    void PlancodeErstellen();
    void ForencodeErstellen();
    void StatistikcodeErstellen();
    void TextInZwischenablage();
    void TextInZwischenablage2();
    void TextInZwischenablage3();
    // online import (import/mainwindow_import.cpp) and settings dialog (app/mainwindow_settings.cpp)
    void FensterWerteImportieren(tavorin::ImportPlatform plattform);
    void EinstellungenAendern();
    void ImportWerteHolen();
    void ImportierteWerteEintragen();
    void FensterEinstellungen();
    // database file commands (db/mainwindow_files.cpp)
    void DatenbankImportieren();
    void DatenbankSpeichern();
    // frame (app/mainwindow.cpp)
    void AllesNeuLaden();
    // export settings (export/mainwindow_exportsettings.cpp)
    void FarbeWaehlen(int index);
    void StaerkeWaehlen(int fenster);
    void NameWaehlen(int fenster);
    void TabellenBreite(int fenster);
    void Exportausrichtung(int fenster);
    void DatumAktualisieren(int nummer);
    // schedule (league/mainwindow_schedule.cpp)
    void RueckrundeWaehlen();
    // league database (db/mainwindow_database.cpp)
    bool DBaufSpaltePruefen(QString table, QString column);
    // frame (app/mainwindow.cpp)
    void tabAbfrage();
    // duplicate check (db/mainwindow_duplicates.cpp)
    void DBpruefen();
    void DBdoppelLoeschen();
    // season charts (results/mainwindow_season.cpp)
    void SaisonverlaufZeigen();

private:
    // --- frame (app/mainwindow.cpp) ---
    void MenuesAufbauen();
    void ZentralesLayoutAufbauen();
    // Restores the window as it was left, or gives it a size that fits the screen.
    void FensterZustandLaden();
    // Makes the tab `schritt` places on (or back, when negative) the current one, going round.
    void ReiterWechseln(int schritt);
    // The widget that the tab widget shows for `seite`: the scroll area around it.
    static QWidget* Reiter(QWidget* seite);
    // A read-only table with alternating row colours and the given column headers.
    QTableWidget* TabelleAnlegen(const QStringList& kopf, const QString& objectName);
    QWidget* SpalteAnlegen(int breite, const QString& objectName, QVBoxLayout** layout);
    // A group box placed in a column, with its title through UmlauteErsetzen and its designed height.
    QGroupBox* GruppeAnlegen(const QString& titel, int hoehe, const QString& objectName);
    // Empties `tabelle`, sets its headers again and appends `zeilen`, one text per column. `gestalten`, when
    // given, formats each new cell before it is shown (row, column, cell).
    using ZellenGestaltung = std::function<void(int, int, QTableWidgetItem*)>;
    static void TabelleFuellen(QTableWidget* tabelle, const QStringList& kopf, const QList<QStringList>& zeilen,
                               const ZellenGestaltung& gestalten = {});
    // Empties `auswahl`, appends `eintraege` (text and data) and then signals its choice once, so that the
    // views that follow it are filled once rather than for every entry appended.
    static void AuswahlFuellen(QComboBox* auswahl, const QList<QPair<QString, QVariant>>& eintraege);
    // Shows only the rows of `tabelle` whose first or second name contains `text` (any case).
    static void FilterAnwenden(QTableWidget* tabelle, const QString& text);
    // A field "Suchen..." that filters `tabelle` as the user types.
    QLineEdit* FilterAnlegen(QTableWidget* tabelle, const QString& objectName);
    // A league selector; all five are filled together by ComboLigaFuellen.
    QComboBox* LigaAuswahlAnlegen(const QString& objectName);
    // The league id (item data) of a selector's current item; empty when it has none.
    static QString AusgewaehlteLigaId(const QComboBox* auswahl);

    // --- settings (app/mainwindow_settings.cpp) ---
    void EinstellungenLaden();

    // --- league database (db/mainwindow_database.cpp) ---
    // Opens the league file at dbPfad; false (and reported) when it cannot be used.
    bool DatenbankOeffnen();
    // At start-up: opens dbPfad. A file that cannot be used is left untouched, and the organiser creates a
    // new league file, chooses another one (checked alike) or goes on without one (dbPfad empty).
    void DatenbankBeimStartOeffnen();
    // Reports why `pfad` cannot become the league database: a lock, or the reason the check gave.
    void DateiAbgelehntMelden(const QString& pfad, const tavorin::db::Result& grund);
    // Listens to the league database: its change announcements and its failed reads.
    void DatenbankAbonnieren();
    // Refills every view that shows one of `tabellen`, once, also when a refill changes data itself.
    void DatenGeaendert(tavorin::db::Tables tabellen);
    void AnsichtenAktualisieren(tavorin::db::Tables tabellen);
    void LesefehlerMelden(const tavorin::db::Result& fehler);
    // True when a read of this turn of the event loop failed: a fill then leaves its view as it was.
    static bool LesenGescheitert();
    // Before a command that deletes or overwrites stored data: a backup of the connected file, made
    // because of `anlass`. A backup that fails is reported; the command must then not run (false). The
    // backup `behalten` is spared by the removal of old ones.
    bool SicherungAnlegen(const QString& anlass, const QString& behalten = QString());
    // At the first start of a day the connected file is backed up.
    void TagesSicherungAnlegen();
    // "Sicherung wiederherstellen...": the backups of the connected file, newest first, to restore one.
    void SicherungWiederherstellen();
    // The status bar says what a completed command did: `text` with umlaut escapes, "%1" standing for
    // `name`, which is shown as it is.
    void StatusMelden(const QString& text, const QString& name = QString());
    // Runs the writes of one user action in one transaction. On failure shows the database's error
    // (kind 4) and returns false; the caller then refreshes its views and keeps what the user typed.
    bool DatenSchreiben(const QList<tavorin::db::Statement>& anweisungen);
    // Reports a failed write the same way; true when `ergebnis` is a success.
    bool SchreibenMelden(const tavorin::db::Result& ergebnis);
    // Reports a file another program has locked; true when `ergebnis` failed for that reason.
    bool GesperrtMelden(const tavorin::db::Result& ergebnis);

    // --- players (league/mainwindow_players.cpp) ---
    // The player table and the pool can list every player of many seasons. While the administration
    // tabs are hidden they are not filled but marked out of date, and filled when the tabs are shown.
    bool SpielerlistenSichtbar();
    // Fills `tabelle` with the players `lesen` returns, filtered by `filter`'s text (when the lists are shown).
    void SpielerlisteFuellen(QTableWidget* tabelle, const QLineEdit* filter,
                             QList<tavorin::registry::PlayerRow> (*lesen)());
    void tabelleSpielerFuellen();
    void FelderSpielerAuswahlLeeren(); // edit fields, delete labels and the selected player

    // --- membership (league/mainwindow_membership.cpp) ---
    void tabelleSpielerpoolFuellen();
    // The ids (column 0) of the rows to move: the selected rows that are shown, else the current row.
    static QStringList AusgewaehlteIds(const QTableWidget* tabelle);

    // --- leagues (league/mainwindow_leagues.cpp) ---
    void tabelleLigenFuellen();
    void FelderLigaAuswahlLeeren(); // rename field, delete label and the selected league

    // --- schedule (league/mainwindow_schedule.cpp, league/mainwindow_pairings.cpp) ---
    void MitspielerZaehlen();
    void tabelleSTFuellen();
    void ErsatzlisteFuellen();
    void PaarungenGruppenAufbauen(QVBoxLayout* spalte);
    // Writes the current match's players and clears the labels; false when the write failed.
    bool PaarungSetzen(const QString& heim, const QString& gast);
    // Remembers the choice of "Heimrecht ausgleichen" in config.ini.
    void HeimrechtWaehlen(bool ausgleichen);
    // The groups "Kenndaten", and "Spielplan erstellen" to "Ergebnisse Loeschen" added to `spalte`.
    QGroupBox* KenndatenGruppeAufbauen();
    void SpielplanBefehleAufbauen(QVBoxLayout* spalte);

    // --- result views (results/mainwindow_resultviews.cpp) ---
    void SpieltageAnzeigen(const QList<tavorin::resultlist::MatchDay>& tage);
    // After a change: new match days anew; else the results table, with the loaded match loaded again.
    void ErgebnisAnsichtAktualisieren();

    // --- result entry (results/mainwindow_resultform.cpp) ---
    void ErgebnisFormularAufbauen();
    // The row of one figure: the left player's field, the heading, the right player's field.
    void ErgebnisZeileAnlegen(QGridLayout* raster, int row, const QString& ueberschrift, tavorin::resultentry::Field f);
    // Marks every field whose text is no possible figure (red frame) and names the first one in a
    // warning; true when all are possible.
    bool ErgebnisFelderPruefen(const tavorin::resultentry::SideTexts& links,
                               const tavorin::resultentry::SideTexts& rechts);
    void FelderErgebnisLeeren();
    // The columns of the current row that hold the left and the right player (name, id), by the mirror box.
    int SpalteLinks() const;
    int SpalteRechts() const;

    // --- database file commands (db/mainwindow_files.cpp) ---
    // Shows `pfad` in the title and remembers it in config.ini.
    void PfadMerken(const QString& pfad);
    // Shows why the start-up file `pfad` is refused and asks what to work on instead: the file to open
    // (new or chosen), or empty to go on without a league file.
    QString StartDateiErsetzen(const QString& pfad, const tavorin::db::Result& grund);
    // The default file when it does not exist yet, else the name the organiser gives; empty when cancelled.
    QString NeueDateiWaehlen();

    // --- duplicate check (db/mainwindow_duplicates.cpp) ---
    // Fills the group "Doppelte Eintraege suchen" of the Spieltage tab.
    void DoppelteGruppeAufbauen(QGroupBox* gruppe);

    // --- export windows (export/mainwindow_exportwindows.cpp) ---
    // Opens forum-code window `fenster` (1 table, 2 statistics, 3 schedule) modally on its league.
    void ExportFensterZeigen(int fenster);
    void ExportOptionenVerbinden(tavorin::ForumCodeWindow* w);
    void CodeKopieren(int fenster);
    // Forum-code window `fenster` while it is open, else nullptr.
    tavorin::ForumCodeWindow* OffenesExportFenster(int fenster) const;
    // The league selector whose league window `fenster` exports.
    QComboBox* ExportLigaAuswahl(int fenster) const;

    // --- export files (export/mainwindow_exportfiles.cpp) ---
    void AlsCsvSpeichern(int fenster);
    void AlsPdfSpeichern(int fenster);
    void ExportDrucken(int fenster);
    // Asks where to save, proposing `vorschlag` with the extension `endung` beside the league database;
    // empty when cancelled.
    QString SpeicherortWaehlen(QWidget* eltern, const QString& titel, const QString& vorschlag, const QString& endung);
    // Writes `daten` to `pfad` whole, or reports why it could not (kind 4) and returns false.
    bool DateiSchreiben(const QString& pfad, const QByteArray& daten);

    // --- online import (import/mainwindow_import.cpp) ---
    // True unless the imported game is stored for another match and the user declines to take it over.
    bool ReimportBestaetigt(const ImportTakeOver& werte);

    // --- page frames (league/, results/) ---
    void SeiteErgebnisseAufbauen();
    void SeiteTabelleAufbauen();
    void SeiteStatistikAufbauen();
    void SeiteSpielerAufbauen();
    void SeiteLigenAufbauen();
    void SeiteZuordnungAufbauen();
    void SeiteSpieltageAufbauen();

    // --- state of the frame ---
    const QString titelBasis;
    tavorin::db::Tables ausstehendeAenderungen; // announced, not yet refilled
    bool aktualisierungLaeuft = false;
    bool spielerlistenVeraltet = false; // the player table and the pool wait for the administration tabs
    QString einstellungsOrdner;
    QString heute;
    QString dbPfad;
    tavorin::Captions bezeichnungen;
    tavorin::Points punkte;
    tavorin::ExportSettings exportEinstellungen;
    tavorin::PlatformAddresses plattformen;
    QFont schriftFett;
    QFont schriftNormal;
    QFont schriftGross;

    // Column headers, fixed when the window is built.
    QStringList kopfSpieler;
    QStringList kopfLigen;
    QStringList kopfSpiele;
    QStringList kopfErgebnisse; // the match columns and "Ergebnis"
    QStringList kopfTabelle;
    QStringList kopfStatistik;

    // --- widgets of the frame ---
    QTabWidget* tabWidget = nullptr;
    QWidget* seiteErgebnisse = nullptr;
    QWidget* seiteTabelle = nullptr;
    QWidget* seiteStatistik = nullptr;
    QWidget* seiteSpieler = nullptr;
    QWidget* seiteLigen = nullptr;
    QWidget* seiteZuordnung = nullptr;
    QWidget* seiteSpieltage = nullptr;
    QAction* aktionTabelleCode = nullptr;
    QAction* aktionStatistikCode = nullptr;
    QAction* aktionSpielplanCode = nullptr;
    QAction* aktionVerwaltung = nullptr;

    // --- page "Ergebnisse" (results/mainwindow_resultviews.cpp) ---
    QTableWidget* tabelleErgebnisse = nullptr;
    QComboBox* comboSpieltag = nullptr;
    QComboBox* comboEinzel = nullptr;
    QGroupBox* gruppeImport = nullptr;
    bool anzeigeNachSpieler = false; // display mode of the results table: by player, else by match day

    // --- result form (results/mainwindow_resultform.cpp) ---
    QWidget* ergebnisFormular = nullptr;
    QLabel* labelNameLinks = nullptr;
    QLabel* labelNameRechts = nullptr;
    QCheckBox* checkSpiegeln = nullptr;
    QPushButton* knopfErgebnisEintragen = nullptr;
    QPushButton* knopfErgebnisAendern = nullptr;
    std::array<std::array<QLineEdit*, tavorin::resultentry::FieldCount>, 2> ergebnisFelder{}; // [left/right][field]
    bool ergebnisseVorhanden = false; // the selected match has stored rows: a save updates them
    QString ergebnisSpiel;            // id of the match loaded into the form
    QString plattformNameLinks;       // platform names of the selected match's left and right player
    QString plattformNameRechts;
    // Game id and platform of an import taken over into the form, stored with its next save. The next
    // import window (taken over from or not) and another match forget them.
    QString importHash;
    QString importPlattform;

    // --- online import (import/mainwindow_import.cpp) ---
    QNetworkAccessManager* netz = nullptr; // one for every fetch
    QPointer<ImportWindow> importFenster;  // while it is open

    // --- pages "Tabelle" and "Statistik" (results/mainwindow_standings.cpp) ---
    QTableWidget* tabelleTabelle = nullptr;
    QTableWidget* tabelleStatistik = nullptr;

    // --- page "Spieler" (league/mainwindow_players.cpp) ---
    QTableWidget* tabelleSpieler = nullptr;
    QLineEdit* filterSpieler = nullptr;
    QLineEdit* feldSpielerNeu1 = nullptr;
    QLineEdit* feldSpielerNeu2 = nullptr;
    QLineEdit* feldSpielerBearbeiten1 = nullptr;
    QLineEdit* feldSpielerBearbeiten2 = nullptr;
    QLabel* labelSpielerLoeschen1 = nullptr;
    QLabel* labelSpielerLoeschen2 = nullptr;
    QString ausgewaehlterSpieler; // id of the player picked in the table; empty when none

    // --- page "Ligen" (league/mainwindow_leagues.cpp) ---
    QTableWidget* tabelleLigen = nullptr;
    QLineEdit* feldLigaNeu = nullptr;
    QLineEdit* feldLigaBearbeiten = nullptr;
    QLabel* labelLigaLoeschen = nullptr;
    QString ausgewaehlteLiga; // id of the league picked in the table; empty when none

    // The five league selectors, in the order ComboLigaFuellen fills them.
    QComboBox* comboLigaSpieltage = nullptr;
    QComboBox* comboLigaZuordnung = nullptr;
    QComboBox* comboLigaErgebnisse = nullptr;
    QComboBox* comboLigaTabelle = nullptr;
    QComboBox* comboLigaStatistik = nullptr;

    // --- page "Zuordnung" (league/mainwindow_membership.cpp) ---
    QTableWidget* tabelleSpielerpool = nullptr;
    QLineEdit* filterPool = nullptr;
    QTableWidget* tabelleMitglieder = nullptr;

    // --- page "Spieltage" (league/mainwindow_schedule.cpp) ---
    QTableWidget* tabelleSpielplan = nullptr;
    QCheckBox* checkRueckrunde = nullptr;
    QCheckBox* checkHeimrecht = nullptr; // "Heimrecht ausgleichen", remembered in config.ini
    bool heimrechtAusgleichen = false;   // as read at start-up, until the box is clicked
    QLabel* labelMitspieler = nullptr;
    QLabel* labelResultierendeSpieltage = nullptr;
    QGroupBox* gruppeSpielplanErstellen = nullptr;
    QGroupBox* gruppeSpielplanLoeschen = nullptr;
    QProgressBar* fortschrittSpielplan = nullptr;
    int mitspielerAnzahl = 0;
    int spieltageErsteRunde = 0; // match days of the first round for the counted members
    QLabel* labelTauschHeim = nullptr;
    QLabel* labelTauschGast = nullptr;
    QLabel* labelErsetzenHeim = nullptr;
    QLabel* labelErsetzenGast = nullptr;
    QComboBox* comboErsatzHeim = nullptr;
    QComboBox* comboErsatzGast = nullptr;

    // --- export windows (export/mainwindow_exportwindows.cpp), alive while a window is open ---
    std::array<QPointer<tavorin::ForumCodeWindow>, 3> exportFenster; // windows 1, 2 and 3

    // --- duplicate check (db/mainwindow_duplicates.cpp) ---
    QStringList doppelteSpiele; // match ids with more than two result rows, from the last check
    QPushButton* knopfDBpruefen = nullptr;
    QPushButton* knopfDoppelteLoeschen = nullptr;
    QLabel* labelDoppelte = nullptr;

    // --- settings dialog (app/mainwindow_settings.cpp), alive while it is open ---
    struct EinstellungsFelder {
        QPointer<QDialog> dialog;
        QLineEdit* name1 = nullptr;
        QLineEdit* name2 = nullptr;
        QLineEdit* heim = nullptr;
        QLineEdit* gast = nullptr;
        QLineEdit* gewonnen = nullptr;
        QLineEdit* remis = nullptr;
        QLineEdit* verloren = nullptr;
        QRadioButton* zweiterName = nullptr;
        QRadioButton* direkterVergleich = nullptr; // "Bei Punktgleichheit": head-to-head first
    } einstellungsFelder;
};
