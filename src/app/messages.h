#pragma once

#include "db/connection.h"

#include <QString>

// The program's message boxes: every text goes through the umlaut escapes; `detail`, when given, follows on
// a line of its own as it is (paths and database errors are not interface texts).
namespace messages {

// Kind 1 question, 2 information, 4 critical, any other warning.
void show(int kind, const QString& text, const QString& detail = QString());
// A yes/no question ("Nein" the default); true when answered with yes.
bool ask(const QString& text);
// Reports a league another program keeps locked; true when `result` failed for that reason.
bool reportLock(const tavorin::db::Result& result);
// Reports a failed write (a lock, or the database's reason); true when `result` is a success.
bool writeSucceeded(const tavorin::db::Result& result);
// Reports a failed read (not one of a broken server connection, which is reported once when it breaks).
void readFailed(const tavorin::db::Result& failure);

} // namespace messages
