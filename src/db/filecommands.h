#pragma once

#include "connection.h"

#include <QString>

// Copying the league database file for "Datenbank speichern unter...".
namespace tavorin::db {

// True when both paths name the same existing file (also through a different spelling or a link).
bool isSameFile(const QString& first, const QString& second);

// Copies the file at `source` to `target`, byte for byte. The copy is first written to a temporary file
// beside `target`, which then takes the place of `target`, so a copy that fails at any point leaves an
// existing `target` as it was and no partial file behind. Copying a file onto itself changes nothing and
// succeeds. On failure the result carries the reason.
Result copyDatabaseFile(const QString& source, const QString& target);

} // namespace tavorin::db
