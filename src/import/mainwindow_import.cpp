#include "app/mainwindow.h"
#include "app/widgets.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTextEdit>
#include <QTimer>

using namespace tavorin;

namespace {

QTextEdit* wertefeld(QWidget* parent, int x, const char* name) {
    auto* t = new QTextEdit(parent);
    t->setObjectName(QLatin1StringView(name));
    t->setGeometry(x, 70, 260, 220);
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
    dialog->setFixedSize(610, 350);
    ImportFenster& f = importFenster;
    f.dialog = dialog;
    auto* label = new QLabel(beschriftung, dialog);
    label->setObjectName(QStringLiteral("linkLabel"));
    label->setGeometry(10, 30, 100, 25);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f.link = new QLineEdit(dialog);
    f.link->setObjectName(QStringLiteral("linkLineEdit"));
    f.link->setGeometry(110, 30, 400, 25);
    f.holen = widgets::placedButton(dialog, QStringLiteral("Import"), QRect(520, 30, 60, 25), "importButton");
    f.links = wertefeld(dialog, 30, "werteLinksTextEdit");
    f.rechts = wertefeld(dialog, 320, "werteRechtsTextEdit");
    QPushButton* abbrechen =
        widgets::placedButton(dialog, QStringLiteral("Abbrechen"), QRect(150, 310, 155, 25), "abbrechenButton");
    f.uebernehmen = widgets::placedButton(dialog, UmlauteErsetzen(QStringLiteral("Werte :ue:bernehmen")),
                                          QRect(305, 310, 155, 25), "uebernehmenButton");
    f.uebernehmen->setEnabled(false);

    connect(f.holen, &QPushButton::clicked, this, &MainWindow::ImportWerteHolen);
    connect(abbrechen, &QPushButton::clicked, dialog, &QDialog::close);
    connect(f.uebernehmen, &QPushButton::clicked, this, &MainWindow::ImportierteWerteEintragen);
    connect(f.uebernehmen, &QPushButton::clicked, dialog, &QDialog::close);
    dialog->exec();
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
    importHash.clear();
    importPlattform.clear();
    if (link.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Keine Adresse angegeben!  "));
        return;
    }

    // The time limit covers the fetch and the reading of the reply together.
    const QDeadlineTimer frist(std::chrono::seconds(plattformen.timeoutSeconds));
    QByteArray antwort;
    Abruf abruf = Abruf::Abgebrochen;
    if (importQuelle == QLatin1StringView("li")) {
        importHash = lidartsGameId(link);
        importPlattform = QStringLiteral("lidarts");
        QNetworkRequest anfrage(lidartsRequestUrl(plattformen, importHash));
        anfrage.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        abruf = Abrufen(anfrage, nullptr, frist, antwort);
    } else if (importQuelle == QLatin1StringView("pro")) {
        importHash = prodarterGameId(link);
        importPlattform = QStringLiteral("prodarter");
        const QUrl relay = relayRequestUrl(plattformen);
        if (relay.isEmpty()) {
            MeldungAnzeigen(2, keineVerbindung); // no relay configured: nothing is sent
            return;
        }
        QNetworkRequest anfrage(relay);
        anfrage.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(relayContentType));
        const QByteArray formular = relayFormBody(importHash);
        abruf = Abrufen(anfrage, &formular, frist, antwort);
    } else {
        return;
    }

    switch (abruf) {
    case Abruf::Abgebrochen:
        return;
    case Abruf::KeineVerbindung:
        MeldungAnzeigen(2, keineVerbindung);
        return;
    case Abruf::KeineDaten:
        MeldungAnzeigen(2, keineDaten);
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

    Abruf ergebnis = Abruf::Daten;
    if (geschlossen)
        ergebnis = Abruf::Abgebrochen;
    else if (zuGross)
        ergebnis = Abruf::KeineDaten;
    else if (zuLang || umgeleitet)
        ergebnis = Abruf::KeineVerbindung;
    else if (reply->error() == QNetworkReply::ContentNotFoundError)
        ergebnis = Abruf::KeineDaten;
    else if (reply->error() != QNetworkReply::NoError)
        ergebnis = Abruf::KeineVerbindung;
    else
        antwort = reply->read(maxReplyBytes + 1);
    reply->deleteLater();
    return ergebnis;
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

void MainWindow::ImportierteWerteEintragen() {
    // Only what the fetch supplied is taken over: a missing position leaves its field empty.
    if (importBereit && importedLegTotal(importWerte1, importWerte2) > 0) {
        FelderErgebnisLeeren();
        const QStringList* listen[] = {&importWerte1, &importWerte2};
        for (int seite = 0; seite < 2; ++seite) {
            const resultentry::SideTexts felder = importedSide(*listen[seite]);
            for (int feld = 0; feld < resultentry::FieldCount; ++feld)
                ergebnisFelder[seite][feld]->setText(felder[feld]);
        }
    }
    importBereit = false;
    if (importFenster.dialog)
        importFenster.uebernehmen->setEnabled(false);
}
