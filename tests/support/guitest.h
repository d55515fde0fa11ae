#pragma once

#include "app/mainwindow.h"
#include "db/leaguesession.h"
#include "db/schema.h"
#include "db/sqlitestore.h"
#include "dbpeek.h"
#include "modaldialogs.h"
#include "seed.h"
#include "testenv.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <memory>

// Helpers for tests that drive the main window as a user would.
namespace guitest {

// Builds the window, answering any message box that start-up shows. With `administration` the
// administration tabs are shown (their player lists are filled only then), and the first tab is current.
inline std::unique_ptr<MainWindow> startWindow(QList<SeenMessage>* messages = nullptr, bool administration = true) {
    std::unique_ptr<MainWindow> window;
    const QList<SeenMessage> seen = answerModals([&] {
        window = std::make_unique<MainWindow>();
        if (administration) {
            window->findChild<QAction*>(QStringLiteral("verwaltungAction"))->trigger();
            window->findChild<QTabWidget*>(QStringLiteral("hauptTabWidget"))->setCurrentIndex(0);
        }
    });
    if (messages)
        *messages = seen;
    return window;
}

template <typename T> T* find(const QObject& w, const QString& name) {
    T* child = w.findChild<T*>(name);
    if (!child)
        qFatal("no child named %s", qPrintable(name));
    return child;
}

// The texts of one column of a list, top to bottom, as it shows them.
inline QStringList columnTexts(const QTableView* view, int column) {
    QStringList out;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, column).data().toString();
    return out;
}

inline QStringList itemTexts(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// A click on a cell: it becomes current and the list reports the click.
inline void clickCell(QTableView* view, int row, int column) {
    const QModelIndex cell = view->model()->index(row, column);
    view->setCurrentIndex(cell);
    emit view->clicked(cell);
}

// The row whose `column` shows `text`, or -1.
inline int rowOf(const QTableView* view, int column, const QString& text) {
    return int(columnTexts(view, column).indexOf(text));
}

// The league store of the window.
inline tavorin::db::SqliteStore& storeOf(const QObject& window) {
    auto* session = window.findChild<tavorin::db::LeagueSession*>();
    if (!session || !session->storeAs<tavorin::db::SqliteStore>())
        qFatal("no league file in the window");
    return *session->storeAs<tavorin::db::SqliteStore>();
}

// Clicks `button`-like widgets through their public click(); collects the message boxes it causes.
template <typename B> QList<SeenMessage> press(B* button) {
    return answerModals([button] { button->click(); });
}

// Makes every later opening of the window's league file read-only, the way a write-protected file behaves
// (tests run as root, who may write any file).
inline void makeDatabaseReadOnly(const QObject& window, bool readOnly = true) {
    QSqlDatabase::database(storeOf(window).connectionName(), false)
        .setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                    : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
}

// The place one window test works in: a fresh settings location, a league database seeded with `seed`
// when one is given, and the program's connection writable again when the test ends.
class LeagueTestEnv : public TempSettings {
public:
    explicit LeagueTestEnv(const QStringList& seed = {}) {
        if (!seed.isEmpty())
            seedLeagueDatabase(defaultDatabase(), seed);
    }

    // Reads and writes on the default league database through a connection of the test's own.
    QStringList query(const QString& sql) const { return DbPeek(defaultDatabase()).column(sql); }
    QString value(const QString& sql) const { return DbPeek(defaultDatabase()).value(sql); }
    bool run(const QString& sql) const { return DbPeek(defaultDatabase()).run(sql); }
};

} // namespace guitest
