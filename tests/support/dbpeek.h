#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

// A connection of the test's own, to look into (or prepare) a league database beside the program's
// default connection.
class DbPeek {
public:
    explicit DbPeek(const QString& path, const QString& name = QStringLiteral("peek")) : name(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~DbPeek() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    DbPeek(const DbPeek&) = delete;
    DbPeek& operator=(const DbPeek&) = delete;

    QSqlQuery query() const { return QSqlQuery(QSqlDatabase::database(name, false)); }
    bool run(const QString& sql) const {
        QSqlQuery q = query();
        return q.exec(sql);
    }
    // One column of every row of `sql`, as text (NULL gives an empty text).
    QStringList column(const QString& sql, int index = 0) const {
        QSqlQuery q = query();
        QStringList out;
        if (q.exec(sql))
            while (q.next())
                out << q.value(index).toString();
        return out;
    }
    QString value(const QString& sql) const { return column(sql).value(0); }

private:
    const QString name;
};
