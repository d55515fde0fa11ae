// Automatic backups of the league file and restoring one.
#include "db/backups.h"
#include "guitest.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

using namespace guitest;

class TestBackups : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<LeagueTestEnv>(QStringList{"INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')"});
    }
    void cleanup() { env.reset(); }

    void namedKeptAndPruned() {
        QVERIFY(tavorin::db::LeagueDatabase::instance().open(env->defaultDatabase()).ok);
        const QString folder = env->root() + "/Sicherungen";
        const QDateTime start(QDate(2026, 12, 6), QTime(9, 0));
        QString written;
        for (int i = 0; i < tavorin::db::keptBackups + 2; ++i)
            QVERIFY(tavorin::db::writeBackup(folder, env->defaultDatabase(), QString("Lauf %1").arg(i),
                                             start.addSecs(i / 2), &written)
                        .ok);
        // Two in one second get a number; the newest 20 stay, each with its reason.
        QCOMPARE(QFileInfo(written).fileName(), "tavorin-20261206-090010-2.db");
        const QList<tavorin::db::Backup> kept = tavorin::db::backupsOf(folder, env->defaultDatabase());
        QCOMPARE(kept.size(), tavorin::db::keptBackups);
        QCOMPARE(kept.first().reason, "Lauf 21");
        QCOMPARE(kept.last().reason, "Lauf 2");
        QCOMPARE(QDir(folder).entryList({"*.db"}).size(), tavorin::db::keptBackups);
        QCOMPARE(DbPeek(written, "copy").value("SELECT liga_name FROM tv_ligen"), "Nord");
        QVERIFY(tavorin::db::backupsOf(folder, env->root() + "/andere.db").isEmpty());
    }

    void deletingWaitsForItsBackup() {
        auto w = startWindow(); // the first start of the day has written one backup
        const QString folder = env->dir() + "/Sicherungen";
        QCOMPARE(tavorin::db::backupsOf(folder, env->defaultDatabase()).size(), 1);
        auto* leagues = find<QTableWidget>(*w, "ligenTableWidget");
        auto* remove = find<QPushButton>(*w, "ligaLoeschenButton");

        // Without a backup the league stays.
        QVERIFY(QDir(folder).removeRecursively());
        QFile(folder).open(QIODevice::WriteOnly); // a file where the folder belongs
        clickCell(leagues, 0, 1);
        const QList<SeenMessage> refused = press(remove);
        QVERIFY(refused.size() == 1 && refused[0].text.startsWith("Die Sicherung der Liga-Datenbank konnte nicht"));
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ligen"), "1");

        QVERIFY(QFile::remove(folder));
        QVERIFY(press(remove).isEmpty());
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ligen"), "0");
        const QList<tavorin::db::Backup> made = tavorin::db::backupsOf(folder, env->defaultDatabase());
        QVERIFY(made.size() == 1 && made[0].reason == QString::fromUtf8("Liga löschen"));

        // Restoring asks, backs up the current state, and brings the league back into every view.
        const QList<SeenMessage> asked =
            answerModals([&] { find<QAction>(*w, "sicherungWiederherstellenAction")->trigger(); },
                         [](QWidget* dialog) { dialog->findChild<QPushButton*>("wiederherstellenButton")->click(); },
                         QMessageBox::Yes);
        QVERIFY(asked.size() == 1 && asked[0].icon == QMessageBox::Question);
        QCOMPARE(itemTexts(find<QComboBox>(*w, "tabelleLigaComboBox")), QStringList({"Nord"}));
        QCOMPARE(tavorin::db::backupsOf(folder, env->defaultDatabase()).first().reason, "Vor dem Wiederherstellen");
        QVERIFY(w->statusBar()->currentMessage().startsWith("Sicherung vom "));
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"
