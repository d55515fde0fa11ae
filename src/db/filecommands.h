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
// succeeds. On failure the result carries the path concerned and the reason (fileErrorReason).
Result copyDatabaseFile(const QString& source, const QString& target);

// The reason of a failed file operation in German, from the system's error number (errno): not enough
// space, no permission, file or folder not found; any other error gives `systemText`, or the system's
// own text for the number when `systemText` is empty or Qt's "Unknown error".
QString fileErrorReason(int errorNumber, const QString& systemText);

// Why the file at `path` cannot be opened for reading and writing, as fileErrorReason gives it;
// `otherwise` when it can be opened.
QString openFailureReason(const QString& path, const QString& otherwise);

} // namespace tavorin::db
