#pragma once

#include "app/settings.h"
#include "db/leaguesession.h"

#include <QFont>
#include <QString>

#include <functional>

// What the main window's pages and windows share: the league, the settings read at start-up, the fonts,
// and the window's two services for commands: a backup before a command that deletes or overwrites stored
// data, and the status bar's note of what a command did.
struct PageContext {
    tavorin::db::LeagueSession* session = nullptr;
    tavorin::Captions captions;
    tavorin::Points points;
    tavorin::ExportSettings exports;
    tavorin::PlatformAddresses platforms;
    bool balanceHomeAway = false; // "Heimrecht ausgleichen" as read at start-up
    QString settingsFolder;
    QString today; // "dd.MM.yyyy", the start-up date
    QFont bold;
    QFont normal;
    QFont large; // bold, 20 pixels

    // A backup made because of `reason` (with umlaut escapes); false when it failed, and the command must
    // then not run. The failure has been reported.
    std::function<bool(const QString& reason)> backup;
    // The status bar says what a completed command did: `text` with umlaut escapes, "%1" standing for `name`.
    std::function<void(const QString& text, const QString& name)> status;

    tavorin::db::LeagueStore& store() const { return session->store(); }
    // True when a read of this turn of the event loop failed: a view then stays as it was.
    bool readsFailing() const { return session->store().readsFailing(); }
};
