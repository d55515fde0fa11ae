#pragma once

#include "app/pagecontext.h"
#include "import/platformreplies.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class LeagueFiles;
class LeaguesPage;
class MembershipPage;
class PlayersPage;
class QAction;
class QLabel;
class QMenuBar;
class QCloseEvent;
class QComboBox;
class QNetworkAccessManager;
class QTabWidget;
class ResultsPage;
class SchedulePage;
class StandingsPage;
class SettingsDialog;
namespace tavorin {
class ForumCodeWindow;
}

// The program's one window: seven tab pages (three always shown, four administration pages behind
// "Verwaltung einblenden"), the menus, the status bar, and the slots behind every user action. Each slot
// hands its work to the page or window it concerns.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `dbPfadDiesesLaufs`, when given, is the league database of this run instead of the remembered one;
    // config.ini keeps the remembered file.
    explicit MainWindow(const QString& dbPfadDiesesLaufs = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // The displayed form of a stored interface text (umlaut escapes replaced).
    static QString UmlauteErsetzen(const QString& text);
    // A modal message box titled "Tavorin": kind 1 question, 2 information, 4 critical, any other warning.
    static void MeldungAnzeigen(int kind, const QString& text, const QString& detail = QString());
    // A yes/no question ("Nein" the default); true when answered with yes.
    static bool FrageAnzeigen(const QString& text);

protected:
    // Remembers the window's geometry and whether the administration tabs are shown.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void TabVerwaltungEinAus(bool eingang1);
    void SpielerEintragen();
    void SpielerAuswaehlen();
    void SpielerBearbeiten();
    void SpielerLoeschen();
    void FelderSpielerLeeren();
    void LigaEintragen();
    void LigaAuswaehlen();
    void LigaBearbeiten();
    void LigaLoeschen();
    void FelderLigaLeeren();
    void ComboBoxAAuswahl();
    void LigaZuordnungFuellen();
    void ZuordnungEintragen();
    void ZuordnungAustragen();
    void ComboLigaFuellen();
    void SpieltagBerechnung();
    void SpielplanLoeschen();
    void ErgebnisseLoeschen();
    void tabelleSTanklicken();
    void butTauschendruecken();
    void butErsetzenDruecken();
    void ErgebnisEintragen();
    void tabelleNachSpielstandFuellen();
    void tabelleNachSpielerFuellen();
    void tabelleErgSTFuellen();
    void comboErgSTLaden();
    void comboEinzelLaden();
    void tabelleErgSTanklicken();
    void EingabeDeaktivieren();
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
    void FensterWerteImportieren(tavorin::ImportPlatform plattform);
    void EinstellungenAendern();
    void ImportWerteHolen();
    void ImportierteWerteEintragen();
    void FensterEinstellungen();
    void DatenbankImportieren();
    void DatenbankSpeichern();
    void AllesNeuLaden();
    void FarbeWaehlen(int index);
    void StaerkeWaehlen(int fenster);
    void NameWaehlen(int fenster);
    void TabellenBreite(int fenster);
    void Exportausrichtung(int fenster);
    void DatumAktualisieren(int nummer);
    void RueckrundeWaehlen();
    bool DBaufSpaltePruefen(QString table, QString column);
    void tabAbfrage();
    void DBpruefen();
    void DBdoppelLoeschen();
    void SaisonverlaufZeigen();

private:
    void buildPages();
    void buildMenus();
    void buildFileMenu(QMenuBar* bar);
    void connectPages();
    void connectSchedule();
    void connectResults();
    void connectExportWindow(tavorin::ForumCodeWindow* window);
    void restoreWindowState();
    void fillAtStart();
    // The views that do not follow the league by their models: selectors, counts, the result form.
    void followChange(const tavorin::db::StoreChange& change);
    // Shows the administration pages' long lists only while those pages are shown.
    void listAdministration(bool shown);
    void showForumCode(int window);
    tavorin::ForumCodeWindow* openForumCode(int window) const;
    void copyCode(int window);
    QComboBox* exportLeague(int window) const;
    void statusNote(const QString& text, const QString& name = QString());
    // Disables every control that writes when the league may only be read, and says so in the status bar.
    void showRights();
    QWidget* tab(QWidget* page) const; // the scroll area the tab widget shows for `page`

    PageContext context;
    tavorin::db::LeagueSession* session = nullptr;
    LeagueFiles* files = nullptr;
    QNetworkAccessManager* network = nullptr;
    QTabWidget* tabs = nullptr;
    ResultsPage* results = nullptr;
    StandingsPage* table = nullptr;
    StandingsPage* statistics = nullptr;
    PlayersPage* players = nullptr;
    LeaguesPage* leagues = nullptr;
    MembershipPage* membership = nullptr;
    SchedulePage* schedule = nullptr;
    QAction* tableCodeAction = nullptr;
    QAction* statisticsCodeAction = nullptr;
    QAction* scheduleCodeAction = nullptr;
    QAction* administrationAction = nullptr;
    QAction* restoreAction = nullptr;
    QAction* batchImportAction = nullptr;
    QAction* newSeasonAction = nullptr;
    QLabel* readOnlyNote = nullptr;                                // "Nur Lesen" in the status bar
    std::array<QPointer<tavorin::ForumCodeWindow>, 3> codeWindows; // while one is open
    QPointer<SettingsDialog> settingsDialog;                       // while it is open
};
