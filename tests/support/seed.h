#pragma once

#include "db/sqlitestore.h"
#include "dbpeek.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTest>

// The statements of a league for a test: league 1 "Nord"; players 1, 2, ... as listed, each a member of it
// ("Anna" gets the platform name "anna", "Anna:x" the platform name "x"); and matches 1, 2, ... of league 1,
// each "day:home:away" with player numbers.
inline QStringList leagueSeed(const QStringList& players, const QStringList& matches = {}) {
    const auto text = [](QString t) { return QLatin1Char('\'') + t.replace(u'\'', QLatin1String("''")) + u'\''; };
    QStringList out{QStringLiteral("INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')")};
    for (qsizetype i = 0; i < players.size(); ++i) {
        const QString name = players[i].section(u':', 0, 0);
        const QString platform = players[i].contains(u':') ? players[i].section(u':', 1) : name.toLower();
        out << QStringLiteral("INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (%1, %2, %3)")
                   .arg(QString::number(i + 1), text(name), text(platform))
            << QStringLiteral("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (%1, 1)").arg(i + 1);
    }
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const QStringList m = matches[i].split(u':');
        out << QStringLiteral("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (%1, 1, %2, %3, %4)")
                   .arg(QString::number(i + 1), m.value(0), m.value(1), m.value(2));
    }
    return out;
}

// Creates a league database with the program's own schema at `path` and runs `statements` on it.
inline void seedLeagueDatabase(const QString& path, const QStringList& statements) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        tavorin::db::SqliteStore store;
        QVERIFY(store.open(path).ok);
    }
    DbPeek peek(path, QStringLiteral("seed"));
    QVERIFY(peek.run(QStringLiteral("BEGIN")));
    for (const QString& sql : statements)
        QVERIFY2(peek.run(sql), qPrintable(sql));
    QVERIFY(peek.run(QStringLiteral("COMMIT")));
}
