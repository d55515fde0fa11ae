#include "db/leaguefiles.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/textescape.h"
#include "db/backups.h"
#include "db/filecheck.h"
#include "db/filecommands.h"
#include "db/postgresstore.h"
#include "db/restoredialog.h"
#include "db/sqlitestore.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>

#include <algorithm>

namespace {

const QString fileFilter = QStringLiteral("(*.db)");
const QString refused = QStringLiteral("Die Datei kann nicht als Liga-Datenbank benutzt werden:");
const QString backupFailed = QStringLiteral("Die Sicherung der Liga-Datenbank konnte nicht angelegt werden.");
const QString noLeague = QStringLiteral("  Es ist keine Liga-Datenbank ge:oe:ffnet.  ");

} // namespace

LeagueFiles::LeagueFiles(PageContext& context, QMainWindow* window, const QString& titleBase, const QString& path,
                         const QString& server)
    : QObject(window), context(context), window(window), titleBase(titleBase), path(path), rememberedServer(server) {}

tavorin::db::SqliteStore* LeagueFiles::file() const {
    return context.session->storeAs<tavorin::db::SqliteStore>();
}

tavorin::db::PostgresStore* LeagueFiles::serverStore() const {
    return context.session->storeAs<tavorin::db::PostgresStore>();
}

QString LeagueFiles::location() const {
    return onServer() ? server.uri() : path;
}

QString LeagueFiles::fileFolder() const {
    return onServer() ? context.settingsFolder : QFileInfo(path).absolutePath();
}

void LeagueFiles::showTitle() {
    QString shown = onServer() ? server.title() : path;
    if (shown.isEmpty())
        shown = QStringLiteral("keine Liga-Datenbank");
    window->setWindowTitle(titleBase + QStringLiteral(" - ") + shown);
}

void LeagueFiles::openAtStart() {
    tavorin::db::removeUnfinishedBackups(tavorin::db::backupFolder(context.settingsFolder));
    const tavorin::db::ServerAddress remembered = tavorin::db::ServerAddress::fromUri(rememberedServer);
    if (remembered.isValid()) {
        bool retry = false;
        std::unique_ptr<tavorin::db::PostgresStore> store = openServer(remembered, QString(), false, &retry);
        if (!store && retry)
            store = askForServer(remembered, false);
        if (store) {
            useServer(std::move(store), password);
            dailyBackup();
            return;
        }
        path.clear(); // on without a league; config.ini keeps the server
        showTitle();
        file()->holdFailure(tavorin::db::Result::failure(QStringLiteral("keine Liga-Datenbank")));
        return;
    }
    tavorin::db::SqliteStore* store = file();
    tavorin::db::Result r = store->open(path);
    // A file that cannot be used stays as it is; the organiser chooses what to work on instead.
    for (QString tried = path; !r && !r.locked;) {
        tried = replaceRefused(tried, r);
        if (tried.isEmpty()) {
            path.clear(); // on without a league file; config.ini keeps the remembered one
            break;
        }
        r = store->open(tried);
        if (r || r.locked) {
            path = tried;
            remember(tried);
        }
    }
    showTitle();
    if (r) {
        dailyBackup();
        return;
    }
    messages::reportLock(r);
    store->holdFailure(r); // the views that follow need not fail one by one
}

QString LeagueFiles::replaceRefused(const QString& tried, const tavorin::db::Result& reason) {
    for (;;) {
        QMessageBox question;
        question.setWindowTitle(QStringLiteral("Tavorin"));
        question.setIcon(QMessageBox::Warning);
        question.setText(refused + QLatin1Char('\n') + tried + QStringLiteral(": ") + reason.error +
                         tavorin::replaceUmlautEscapes(QStringLiteral("\n\nWomit m:oe:chten Sie weiterarbeiten?")));
        question.setStandardButtons(QMessageBox::Save | QMessageBox::Open | QMessageBox::Ignore);
        question.button(QMessageBox::Save)->setText(QStringLiteral("Neue Liga-Datenbank anlegen"));
        question.button(QMessageBox::Open)
            ->setText(tavorin::replaceUmlautEscapes(QStringLiteral("Andere Datei w:ae:hlen...")));
        question.button(QMessageBox::Ignore)->setText(QStringLiteral("Ohne Liga-Datenbank"));
        question.setDefaultButton(QMessageBox::Ignore);
        question.setEscapeButton(QMessageBox::Ignore);
        QString chosen;
        switch (dialogs::showMessage(question)) {
        case QMessageBox::Save:
            chosen = chooseNewFile();
            break;
        case QMessageBox::Open:
            chosen = dialogs::chooseFile(window, {false, QStringLiteral("mit Datenbank verbinden"), tried, fileFilter});
            break;
        default:
            return QString();
        }
        if (!chosen.isEmpty())
            return chosen;
    }
}

QString LeagueFiles::chooseNewFile() {
    const QString standard = tavorin::defaultDatabasePath(context.settingsFolder);
    const QFileInfo info(standard);
    if (!info.exists() && !info.isSymLink())
        return standard;
    return dialogs::chooseFile(
        window, {true, QStringLiteral("Neue Liga-Datenbank anlegen"), context.settingsFolder, fileFilter});
}

void LeagueFiles::reportRefused(const QString& file, const tavorin::db::Result& reason) {
    if (!messages::reportLock(reason))
        messages::show(3, refused, file + QStringLiteral(": ") + reason.error);
}

void LeagueFiles::connectFile() {
    const QString chosen =
        dialogs::chooseFile(window, {false, QStringLiteral("mit Datenbank verbinden"), path, fileFilter});
    if (chosen.isEmpty())
        return; // cancelled: everything stays with the connected file
    // A file that is refused costs no backup of the connected one; an older league file is upgraded.
    const tavorin::db::Result r = tavorin::db::checkLeagueFile(chosen);
    const bool hasLeague = onServer() || file()->hasFile();
    if (r && hasLeague && !backup(QStringLiteral("Andere Datenbank verbinden")))
        return;
    if (!r) {
        reportRefused(chosen, r);
        return;
    }
    if (useFile(chosen))
        context.status(QStringLiteral("Verbunden mit %1"), chosen);
}

bool LeagueFiles::useFile(const QString& chosen) {
    auto store = std::make_unique<tavorin::db::SqliteStore>();
    tavorin::db::SqliteStore* next = onServer() ? store.get() : file();
    if (const tavorin::db::Result r = next->connectTo(chosen); !r) {
        reportRefused(chosen, r);
        return false;
    }
    if (onServer()) {
        context.session->replace(std::move(store));
        server = {};
        password.clear();
        tavorin::storeServerConnection(tavorin::configFilePath(context.settingsFolder), QString());
    }
    path = chosen;
    remember(chosen);
    emit reloadNeeded();
    return true;
}

void LeagueFiles::saveCopy() {
    if (onServer()) {
        const QString target = dialogs::chooseFile(
            window, {true, QStringLiteral("Datenbank kopieren nach..."), context.settingsFolder, fileFilter});
        if (!target.isEmpty() && saveServerCopy(target))
            context.status(QStringLiteral("Liga gespeichert in %1"), target);
        return;
    }
    if (!file()->hasFile()) {
        messages::show(2, noLeague);
        return;
    }
    const QString target =
        dialogs::chooseFile(window, {true, QStringLiteral("Datenbank kopieren nach..."), path, fileFilter});
    // Cancelled, or the connected file itself: that file already is the copy, nothing is to be done.
    if (target.isEmpty() || tavorin::db::isSameFile(path, target))
        return;
    if (const tavorin::db::Result copied = tavorin::db::copyDatabaseFile(path, target); !copied) {
        messages::show(4, QStringLiteral("  Die Datenbank konnte nicht kopiert werden!  "), copied.error);
        return;
    }
    // The copy holds the same data, so the views stay as they are.
    path = target;
    remember(target);
    reopen();
    context.status(QStringLiteral("Datenbank kopiert nach %1"), target);
}

bool LeagueFiles::reopen() {
    const tavorin::db::Result r = file()->open(path);
    if (r)
        return true;
    reportRefused(path, r);
    file()->holdFailure(r); // the views that follow need not fail one by one
    return false;
}

void LeagueFiles::remember(const QString& shown) {
    tavorin::storeDatabasePath(tavorin::configFilePath(context.settingsFolder), shown);
    showTitle();
}

bool LeagueFiles::hasColumn(const QString& table, const QString& column) const {
    return context.store().hasColumn(table, column);
}

tavorin::db::Result LeagueFiles::copyInto(const QString& target) const {
    if (!onServer())
        return file()->copyTo(target);
    // A server league is kept as an ordinary league file.
    tavorin::db::SqliteStore copy;
    tavorin::db::Result r = copy.open(target);
    return r ? copy.copyAllFrom(*serverStore()) : r;
}

bool LeagueFiles::backup(const QString& reason, const QString& keep) {
    QString written;
    const tavorin::db::Result r = tavorin::db::writeBackup(
        tavorin::db::backupFolder(context.settingsFolder), location(), tavorin::replaceUmlautEscapes(reason),
        QDateTime::currentDateTime(), [this](const QString& target) { return copyInto(target); }, &written, keep);
    if (!r) {
        messages::show(3, backupFailed + QStringLiteral(" Der Befehl wird nicht ausgef:ue:hrt."), r.error);
        return false;
    }
    context.status(QStringLiteral("Sicherung angelegt: %1"), written);
    return true;
}

void LeagueFiles::dailyBackup() {
    // The newest backup recorded for this file decides; a failed one left none, so it is tried again.
    const QString folder = tavorin::db::backupFolder(context.settingsFolder);
    const QList<tavorin::db::Backup> backups = tavorin::db::backupsOf(folder, location());
    const auto newest = std::find_if(backups.cbegin(), backups.cend(),
                                     [](const tavorin::db::Backup& b) { return !b.leagueFile.isEmpty(); });
    if (newest != backups.cend() && newest->time.date() == QDate::currentDate())
        return;
    QString written;
    const tavorin::db::Result r = tavorin::db::writeBackup(
        folder, location(), QStringLiteral("Erster Start des Tages"), QDateTime::currentDateTime(),
        [this](const QString& t) { return copyInto(t); }, &written);
    if (r)
        context.status(QStringLiteral("Sicherung angelegt: %1"), written);
    else
        messages::show(3, backupFailed, r.error);
}

void LeagueFiles::restore() {
    const QString folder = tavorin::db::backupFolder(context.settingsFolder);
    const bool open = onServer() || file()->hasFile();
    const QList<tavorin::db::Backup> backups =
        open ? tavorin::db::backupsOf(folder, location()) : QList<tavorin::db::Backup>();
    if (backups.isEmpty()) {
        messages::show(2, open ? QStringLiteral("  F:ue:r diese Liga-Datenbank gibt es noch keine Sicherung.  ")
                               : noLeague);
        return;
    }
    RestoreDialog dialog(backups, window);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenRow() < 0)
        return;
    const tavorin::db::Backup chosen = backups[dialog.chosenRow()];
    const QString notRestored = QStringLiteral("  Die Sicherung konnte nicht wiederhergestellt werden!  ");
    if (const tavorin::db::Result checked = tavorin::db::checkBackup(folder, chosen); !checked) {
        messages::show(4, notRestored, checked.error);
        return;
    }
    const QString when = chosen.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    if (onServer()) {
        restoreOnServer(chosen.path, when);
        return;
    }
    if (!messages::ask(QStringLiteral("  Die Liga-Datenbank wird durch die Sicherung vom ") + when +
                       QStringLiteral(" ersetzt. Fortfahren?  ")) ||
        !backup(QStringLiteral("Vor dem Wiederherstellen"), chosen.path))
        return;
    if (const tavorin::db::Result replaced = tavorin::db::restoreBackup(folder, chosen, path); !replaced) {
        messages::show(4, notRestored, replaced.error);
        return;
    }
    // Restored only once the league has been opened again and read.
    if (!reopen())
        return;
    emit reloadNeeded();
    if (!context.readsFailing())
        context.status(QStringLiteral("Sicherung vom %1 wiederhergestellt"), when);
}
