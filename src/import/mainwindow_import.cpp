#include "app/mainwindow.h"
#include "app/widgets.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

using namespace tavorin;

namespace {

QTextEdit* wertefeld(const char* name) {
    auto* t = new QTextEdit;
    t->setObjectName(QLatin1StringView(name));
    t->setReadOnly(true);
    return t;
}

const QString keineVerbindung = QStringLiteral("  Keine Verbindung m:oe:glich!  ");
const QString keineDaten = QStringLiteral("  F:ue:r diesen Link wurden keine Spieldaten gefunden!  ");

} // namespace

void MainWindow::FensterWerteImportieren() {
    QString beschriftung;
    if (sender() && sender()->objectName() == QLatin1StringView("prodarterButton")) {
        importQuelle = QStringLiteral("pro");
        beschriftung = QStringLiteral("Pro-Darter Link: ");
    } else if (sender() && sender()->objectName() == QLatin1StringView("lidartsButton")) {
        importQuelle = QStringLiteral("li");
        beschriftung = QStringLiteral("Lidarts Link: ");
    }

    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("importDialog"));
    ImportFenster& f = importFenster;
    f.dialog = dialog;
    f.uebernommen = false;
    auto* label = new QLabel(beschriftung);
    label->setObjectName(QStringLiteral("linkLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(100);
    f.link = new QLineEdit;
    f.link->setObjectName(QStringLiteral("linkLineEdit"));
    f.holen = widgets::button(QStringLiteral("Import"), "importButton");
    f.links = wertefeld("werteLinksTextEdit");
    f.rechts = wertefeld("werteRechtsTextEdit");
    QPushButton* abbrechen = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    f.uebernehmen = widgets::button(UmlauteErsetzen(QStringLiteral("Werte :ue:bernehmen")), "uebernehmenButton");
    f.uebernehmen->setEnabled(false);

    auto* raster = new QGridLayout(dialog);
    raster->setContentsMargins(10, 30, 30, 15);
    auto* linkZeile = new QHBoxLayout;
    linkZeile->addWidget(label);
    linkZeile->addWidget(f.link, 1);
    linkZeile->addWidget(f.holen);
    raster->addLayout(linkZeile, 0, 0, 1, 2);
    raster->addWidget(f.links, 1, 0);
    raster->addWidget(f.rechts, 1, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->setSpacing(0);
    knoepfe->addStretch();
    for (QPushButton* knopf : {abbrechen, f.uebernehmen}) {
        knopf->setMinimumWidth(155);
        knoepfe->addWidget(knopf);
    }
    knoepfe->addStretch();
    raster->addLayout(knoepfe, 2, 0, 1, 2);
    widgets::fitToScreen(dialog, QSize(610, 350));

    connect(f.holen, &QPushButton::clicked, this, &MainWindow::ImportWerteHolen);
    connect(abbrechen, &QPushButton::clicked, dialog, &QDialog::close);
    connect(f.uebernehmen, &QPushButton::clicked, this, &MainWindow::ImportierteWerteEintragen);
    connect(f.uebernehmen, &QPushButton::clicked, dialog, &QDialog::close);
    dialog->exec();
    if (!f.uebernommen) {
        importHash.clear();
        importPlattform.clear();
    }
    // A fetch still waiting is ended by the dialog's close; its slot returns before the dialog goes.
    dialog->deleteLater();
}

void MainWindow::ImportWerteHolen() {
    ImportFenster& f = importFenster;
    if (!f.dialog)
        return;
    const QString link = f.link->text();
    importWerte1.clear();
    importWerte2.clear();
    importHash.clear(); // a new fetch replaces what an earlier one left for the save
    importPlattform.clear();
    f.hash.clear();
    f.plattform.clear();
    if (link.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Keine Adresse angegeben!  "));
        return;
    }

    // The time limit covers the fetch and the reading of the reply together.
    const QDeadlineTimer frist(std::chrono::seconds(plattformen.timeoutSeconds));
    QByteArray antwort;
    Abruf abruf = Abruf::Abgebrochen;
    if (importQuelle == QLatin1StringView("li")) {
        f.hash = lidartsGameId(link);
        f.plattform = QStringLiteral("lidarts");
        QNetworkRequest anfrage(lidartsRequestUrl(plattformen, f.hash));
        anfrage.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        abruf = Abrufen(anfrage, nullptr, frist, antwort);
    } else if (importQuelle == QLatin1StringView("pro")) {
        f.hash = prodarterGameId(link);
        f.plattform = QStringLiteral("prodarter");
        const QUrl relay = relayRequestUrl(plattformen);
        if (relay.isEmpty()) {
            // No relay configured: nothing is sent.
            MeldungAnzeigen(4, keineVerbindung,
                            UmlauteErsetzen(QStringLiteral("F:ue:r Pro-Darter ist kein Relay-Dienst eingerichtet "
                                                           "(config.ini, Gruppe plattformen, prodarter_relay).")));
            return;
        }
        QNetworkRequest anfrage(relay);
        anfrage.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(relayContentType));
        const QByteArray formular = relayFormBody(f.hash);
        abruf = Abrufen(anfrage, &formular, frist, antwort);
    } else {
        return;
    }

    switch (abruf) {
    case Abruf::Abgebrochen:
        return;
    case Abruf::KeineVerbindung:
        MeldungAnzeigen(4, keineVerbindung, abrufGrund);
        return;
    case Abruf::KeineDaten:
        MeldungAnzeigen(4, keineDaten, abrufGrund);
        return;
    case Abruf::Daten:
        break;
    }
    ImportAnzeigen(importQuelle == QLatin1StringView("li") ? parseLidartsReply(antwort, frist)
                                                           : parseRelayReply(antwort, frist));
}

MainWindow::Abruf MainWindow::Abrufen(QNetworkRequest anfrage, const QByteArray* formular, QDeadlineTimer frist,
                                      QByteArray& antwort) {
    ImportFenster& f = importFenster;
    anfrage.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply* reply = formular ? netz->post(anfrage, *formular) : netz->get(anfrage);
    bool zuLang = false;
    bool zuGross = false;
    bool geschlossen = false;
    bool umgeleitet = false;

    QEventLoop warten;
    connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 empfangen, qint64) {
        if (empfangen > maxReplyBytes) {
            zuGross = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::redirected, reply, [&](const QUrl& ziel) {
        if (redirectAllowed(anfrage.url(), ziel, formular != nullptr)) {
            emit reply->redirectAllowed();
        } else {
            umgeleitet = true;
            reply->abort();
        }
    });
    const QMetaObject::Connection schliessen = connect(f.dialog, &QDialog::finished, reply, [&] {
        geschlossen = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, &warten, &QEventLoop::quit);

    f.holen->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer zeitlimit;
    zeitlimit.setSingleShot(true);
    connect(&zeitlimit, &QTimer::timeout, reply, [&] {
        zuLang = true;
        reply->abort();
    });
    zeitlimit.start(std::chrono::milliseconds(frist.remainingTime()));
    if (!reply->isFinished())
        warten.exec();
    zeitlimit.stop();
    disconnect(schliessen);
    QApplication::restoreOverrideCursor();
    if (f.dialog)
        f.holen->setEnabled(true);

    Abruf ergebnis = Abruf::KeineVerbindung;
    abrufGrund.clear();
    if (geschlossen) {
        ergebnis = Abruf::Abgebrochen;
    } else if (zuGross) {
        ergebnis = Abruf::KeineDaten;
        abrufGrund = UmlauteErsetzen(QStringLiteral("Die Antwort des Servers ist gr:oe::sz:er als 1 MiB."));
    } else if (zuLang) {
        abrufGrund = QStringLiteral("Das Zeitlimit von %1 Sekunden ist erreicht.").arg(plattformen.timeoutSeconds);
    } else if (umgeleitet) {
        abrufGrund = UmlauteErsetzen(QStringLiteral("Der Server leitet zu einer anderen Adresse :ue:ber."));
    } else if (reply->error() != QNetworkReply::NoError) {
        abrufGrund = AbrufFehlerGrund(reply);
        if (reply->error() == QNetworkReply::ContentNotFoundError)
            ergebnis = Abruf::KeineDaten;
    } else {
        ergebnis = Abruf::Daten;
        antwort = reply->read(maxReplyBytes + 1);
    }
    reply->deleteLater();
    return ergebnis;
}

QString MainWindow::AbrufFehlerGrund(const QNetworkReply* reply) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        return QStringLiteral("Der Server antwortete mit dem HTTP-Status ") + status.toString() + QLatin1Char('.');
    switch (reply->error()) {
    case QNetworkReply::NoError:
        return QString();
    case QNetworkReply::SslHandshakeFailedError:
        return UmlauteErsetzen(QStringLiteral("Das Zertifikat des Servers ist nicht vertrauensw:ue:rdig."));
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Der Server hat die Verbindung abgelehnt.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Der Server wurde nicht gefunden.");
    default:
        return QStringLiteral("Netzwerkfehler: ") + reply->errorString();
    }
}

void MainWindow::ImportAnzeigen(ImportedValues werte) {
    ImportFenster& f = importFenster;
    if (werte.outcome == ImportOutcome::NoGameData) {
        MeldungAnzeigen(2, keineDaten);
        return;
    }
    if (werte.outcome == ImportOutcome::TimedOut) {
        MeldungAnzeigen(2, keineVerbindung);
        return;
    }
    if (werte.outcome == ImportOutcome::NotFinished) {
        MeldungAnzeigen(2, QStringLiteral("  Das Spiel ist noch nicht abgeschlossen!  "));
        return;
    }
    const NameOrder reihenfolge =
        checkNames(werte.firstName, werte.secondName, plattformNameLinks, plattformNameRechts);
    if (reihenfolge == NameOrder::Crossed)
        werte.swapSides();
    importWerte1 = werte.first;
    importWerte2 = werte.second;
    f.links->setPlainText(werte.firstText);
    f.rechts->setPlainText(werte.secondText);
    if (reihenfolge == NameOrder::Mismatch)
        MeldungAnzeigen(2, QStringLiteral("  Die Spielernamen stimmen nicht :ue:berein!  "));
    f.uebernehmen->setEnabled(true);
    importBereit = true;
}

bool MainWindow::ReimportBestaetigt() {
    const int row = tabelleErgebnisse->currentRow();
    const QTableWidgetItem* spiel = row < 0 ? nullptr : tabelleErgebnisse->item(row, 0);
    const resultentry::MatchWithGame vorhanden =
        resultentry::matchWithGame(importFenster.plattform, importFenster.hash, spiel ? spiel->text() : QString());
    if (LesenGescheitert())
        return false; // unknown whether the game is stored already: nothing is taken over
    if (!vorhanden.found)
        return true;
    const bool zweite = bezeichnungen.anzeige; // the names the results table shows
    const QString text = QStringLiteral("Dieses Spiel ist schon bei Spieltag ") + vorhanden.matchDay +
                         QStringLiteral(" (") + (zweite ? vorhanden.home2 : vorhanden.home1) + QStringLiteral(" – ") +
                         (zweite ? vorhanden.away2 : vorhanden.away1) +
                         QStringLiteral(") eingetragen. Trotzdem :ue:bernehmen?");
    return FrageAnzeigen(text);
}

void MainWindow::ImportierteWerteEintragen() {
    // Only what the fetch supplied is taken over: a missing position leaves its field empty. A game that
    // is stored for another match is taken over only when the user says so; else it is forgotten, so that
    // no later save stores its id with this match.
    const bool vollstaendig = importBereit && importedLegTotal(importWerte1, importWerte2) > 0;
    if (vollstaendig && !ReimportBestaetigt()) {
        importHash.clear();
        importPlattform.clear();
    } else if (vollstaendig) {
        FelderErgebnisLeeren();
        const QStringList* listen[] = {&importWerte1, &importWerte2};
        for (int seite = 0; seite < 2; ++seite) {
            const resultentry::SideTexts felder = importedSide(*listen[seite]);
            for (int feld = 0; feld < resultentry::FieldCount; ++feld)
                ergebnisFelder[seite][feld]->setText(felder[feld]);
        }
        importHash = importFenster.hash;
        importPlattform = importFenster.plattform;
        importFenster.uebernommen = true;
    }
    importBereit = false;
    if (importFenster.dialog)
        importFenster.uebernehmen->setEnabled(false);
}
