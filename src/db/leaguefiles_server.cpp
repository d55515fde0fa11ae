// The league on a PostgreSQL server: connecting to it, moving a league file there, its copies as league files.
#include "db/leaguefiles.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "db/filecheck.h"
#include "db/postgresstore.h"
#include "db/serverdialog.h"
#include "db/sqlitestore.h"

#include <QFile>
#include <QMainWindow>
#include <QStatusBar>

namespace {

const QString noServer = QStringLiteral("Keine Verbindung zum Liga-Server!");
const QString notLeague = QStringLiteral("Die Datenbank ist keine Liga-Datenbank:");

} // namespace

std::unique_ptr<tavorin::db::PostgresStore> LeagueFiles::openServer(const tavorin::db::ServerAddress& address,
                                                                    const QString& secret, bool forMove, bool* retry) {
    using Content = tavorin::db::PostgresStore::Content;
    auto store = std::make_unique<tavorin::db::PostgresStore>(address, secret);
    Content content = Content::Other;
    QString reason;
    if (const tavorin::db::Result r = store->connectToServer(&content, &reason); !r) {
        messages::show(4, noServer + QLatin1Char('\n') + tavorin::db::PostgresStore::describeFailure(r.error),
                       r.error.trimmed());
        *retry = true;
        return nullptr;
    }
    *retry = false;
    if (content == Content::Other || (forMove && content != Content::Empty)) {
        messages::show(3, notLeague,
                       address.title() + (forMove && content == Content::League
                                              ? QStringLiteral(": Die Datenbank ist nicht leer.")
                                              : QStringLiteral(": ") + reason));
        return nullptr;
    }
    if (content == Content::Empty && !forMove) {
        if (!messages::ask(QStringLiteral("  Die Datenbank ") + address.title() +
                           QStringLiteral(" ist leer. Sollen die Tabellen einer Liga-Datenbank angelegt werden?  ")))
            return nullptr;
        if (!messages::writeSucceeded(store->createTables()))
            return nullptr;
    }
    return store;
}

std::unique_ptr<tavorin::db::PostgresStore> LeagueFiles::askForServer(const tavorin::db::ServerAddress& proposed,
                                                                      bool forMove) {
    tavorin::db::ServerAddress address = proposed;
    for (;;) {
        ServerDialog dialog(address, window);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        address = dialog.address();
        if (!address.isValid()) {
            messages::show(3, QStringLiteral("  Es m:ue:ssen Server und Datenbank angegeben werden.  "));
            continue;
        }
        bool retry = false;
        std::unique_ptr<tavorin::db::PostgresStore> store = openServer(address, dialog.password(), forMove, &retry);
        if (store) {
            password = dialog.password();
            return store;
        }
        if (!retry)
            return nullptr;
    }
}

void LeagueFiles::useServer(std::unique_ptr<tavorin::db::PostgresStore> store, const QString& secret) {
    server = store->serverAddress();
    password = secret;
    watchConnection(store.get());
    context.session->replace(std::move(store));
    tavorin::storeServerConnection(tavorin::configFilePath(context.settingsFolder), server.uri());
    showTitle();
}

void LeagueFiles::watchConnection(tavorin::db::PostgresStore* store) {
    connect(store, &tavorin::db::PostgresStore::connectionLost, this, [this](const QString& reason) {
        messages::show(4,
                       QStringLiteral("Die Verbindung zum Liga-Server ist unterbrochen. Die Ansichten zeigen den "
                                      "letzten Stand; gespeichert werden kann erst wieder, wenn der Server "
                                      "antwortet."),
                       reason.trimmed());
    });
    connect(store, &tavorin::db::PostgresStore::connectionRestored, this, [this] {
        emit reloadNeeded();
        context.status(QStringLiteral("Verbindung zum Liga-Server wiederhergestellt"), QString());
    });
}

void LeagueFiles::connectServer() {
    std::unique_ptr<tavorin::db::PostgresStore> store =
        askForServer(server.isValid() ? server : tavorin::db::ServerAddress::fromUri(rememberedServer), false);
    if (!store)
        return; // the league connected before stays
    if ((onServer() || file()->hasFile()) && !backup(QStringLiteral("Andere Datenbank verbinden")))
        return;
    const QString title = store->serverAddress().title();
    useServer(std::move(store), password);
    emit reloadNeeded();
    context.status(QStringLiteral("Verbunden mit %1"), title);
}

void LeagueFiles::moveToServer() {
    tavorin::db::SqliteStore* source = file();
    if (!source || !source->hasFile()) {
        messages::show(2, QStringLiteral("  Es ist keine Liga-Datenbank ge:oe:ffnet.  "));
        return;
    }
    // The server keeps one result row per player and match.
    if (const QList<tavorin::Id> doubled = source->doubledResults(); !doubled.isEmpty() || source->readsFailing()) {
        QStringList ids;
        for (tavorin::Id id : doubled)
            ids << QStringLiteral("ID") + QString::number(id);
        messages::show(
            3,
            QStringLiteral("Die Liga-Datenbank enth:ae:lt Spiele mit doppelten Ergebnissen. Bitte zuerst auf "
                           "dem Reiter \"Spieltage\" mit \"Datenbank pr:ue:fen\" bereinigen."),
            ids.join(QLatin1Char(' ')));
        return;
    }
    std::unique_ptr<tavorin::db::PostgresStore> store = askForServer(tavorin::db::ServerAddress(), true);
    if (!store)
        return;
    // The tables and every row of the file, ids kept, in one transaction.
    tavorin::db::PostgresStore* target = store.get();
    const tavorin::db::Result moved = target->transaction([&] {
        const tavorin::db::Result made = target->createTables();
        return made ? target->copyAllFrom(*source) : made;
    });
    if (!messages::writeSucceeded(moved))
        return;
    const QString title = target->serverAddress().title();
    useServer(std::move(store), password);
    emit reloadNeeded();
    context.status(QStringLiteral("Liga auf den Server %1 übertragen"), title);
}

bool LeagueFiles::saveServerCopy(const QString& target) {
    // Written beside the target and checked before it takes the target's place, so that a failure leaves an
    // existing file as it was.
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    tavorin::db::Result r;
    {
        tavorin::db::SqliteStore copy;
        r = copy.open(part);
        if (r)
            r = copy.copyAllFrom(*serverStore());
    }
    if (r)
        r = tavorin::db::checkLeagueFile(part, tavorin::db::Links::Refused);
    if (r && QFile::exists(target) && !QFile::remove(target))
        r = tavorin::db::Result::failure(target + QStringLiteral(": Die Datei kann nicht ersetzt werden."));
    if (r && !QFile::rename(part, target))
        r = tavorin::db::Result::failure(target + QStringLiteral(": Die Datei kann nicht angelegt werden."));
    if (!r) {
        QFile::remove(part);
        messages::show(4, QStringLiteral("  Die Datenbank konnte nicht kopiert werden!  "), r.error);
    }
    return r.ok;
}

void LeagueFiles::restoreOnServer(const QString& backupPath, const QString& when) {
    if (!messages::ask(QStringLiteral("  Die Liga auf dem Server ") + server.title() +
                       QStringLiteral(" wird durch die Sicherung vom ") + when +
                       QStringLiteral(" ersetzt. Fortfahren?  ")) ||
        !backup(QStringLiteral("Vor dem Wiederherstellen"), backupPath))
        return;
    tavorin::db::SqliteStore source;
    tavorin::db::Result r = source.open(backupPath);
    if (r)
        r = serverStore()->copyAllFrom(source);
    if (!r) {
        messages::show(4, QStringLiteral("  Die Sicherung konnte nicht wiederhergestellt werden!  "), r.error);
        return;
    }
    emit reloadNeeded();
    if (!context.readsFailing())
        context.status(QStringLiteral("Sicherung vom %1 wiederhergestellt"), when);
}
