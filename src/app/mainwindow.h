#pragma once

#include "app/settings.h"
#include "db/connection.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QAction;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

// The program's one window: seven tab pages (three always shown, four administration pages behind
// "Verwaltung einblenden"), the menus, and the slots behind every user action.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- text escapes and message boxes (app/mainwindow_text.cpp) ---
    // The displayed form of a stored interface text (umlaut escapes replaced).
    static QString UmlauteErsetzen(const QString& text);
    // A modal message box without parent or title: kind 1 question, 2 information, 4 critical, any
    // other warning. `text` is shown through UmlauteErsetzen; `detail`, when given, follows on a new
    // line as it is (paths and database errors are not interface texts).
    static void MeldungAnzeigen(int kind, const QString& text, const QString& detail = QString());

private slots:
    // --- frame (app/mainwindow.cpp) ---
    void TabVerwaltungEinAus(bool eingang1);
    void AllesNeuLaden();
    void tabAbfrage();

    // --- settings dialog (app/mainwindow_settings.cpp) ---
    void EinstellungenAendern();
    void FensterEinstellungen();

    // --- league database (db/mainwindow_database.cpp) ---
    bool DBaufSpaltePruefen(QString table, QString column);

private:
    // --- frame (app/mainwindow.cpp) ---
    void MenuesAufbauen();
    void ZentralesLayoutAufbauen();
    // A read-only table with alternating row colours and the given column headers.
    QTableWidget* TabelleAnlegen(const QStringList& kopf, const QString& objectName);
    QWidget* SpalteAnlegen(int breite, const QString& objectName, QVBoxLayout** layout);

    // --- settings (app/mainwindow_settings.cpp) ---
    void EinstellungenLaden();

    // --- league database (db/mainwindow_database.cpp) ---
    void DatenbankOeffnen();
    // Runs the writes of one user action in one transaction. On failure shows the database's error
    // (kind 4) and returns false; the caller then refreshes its views and keeps what the user typed.
    bool DatenSchreiben(const QList<tavorin::db::Statement>& anweisungen);

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
    QVBoxLayout* ergebnisseSpalteLayout = nullptr;
    QTableWidget* tabelleErgebnisse = nullptr;
    QWidget* ergebnisFormular = nullptr;

    // --- pages "Tabelle" and "Statistik" (results/mainwindow_standings.cpp) ---
    QHBoxLayout* tabelleKopfLayout = nullptr;
    QHBoxLayout* statistikKopfLayout = nullptr;
    QTableWidget* tabelleTabelle = nullptr;
    QTableWidget* tabelleStatistik = nullptr;

    // --- page "Spieler" (league/mainwindow_players.cpp) ---
    QTableWidget* tabelleSpieler = nullptr;
    QGroupBox* gruppeSpielerverwaltung = nullptr;

    // --- page "Ligen" (league/mainwindow_leagues.cpp) ---
    QTableWidget* tabelleLigen = nullptr;
    QGroupBox* gruppeLigenverwaltung = nullptr;

    // --- page "Zuordnung" (league/mainwindow_membership.cpp) ---
    QTableWidget* tabelleSpielerpool = nullptr;
    QTableWidget* tabelleMitglieder = nullptr;
    QVBoxLayout* pfeilSpalteLayout = nullptr;
    QHBoxLayout* zuordnungKopfLayout = nullptr;

    // --- page "Spieltage" (league/mainwindow_schedule.cpp) ---
    QVBoxLayout* spieltageSpalteLayout = nullptr;
    QTableWidget* tabelleSpielplan = nullptr;
    QVBoxLayout* spieltageRechtsLayout = nullptr;

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
    } einstellungsFelder;
};
