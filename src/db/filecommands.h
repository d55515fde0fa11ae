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
// space, file too large, no permission, read-only medium, file or folder not found. Any other number is
// named with the system's own text for it (or `systemText`), in a German sentence.
QString fileErrorReason(int errorNumber, const QString& systemText);

// Lets a write beyond the file size limit fail with its error number (EFBIG) instead of ending the program.
void ignoreFileSizeSignal();

// Why the file at `path` cannot be opened for reading and writing, as fileErrorReason gives it;
// `otherwise` when it can be opened.
QString openFailureReason(const QString& path, const QString& otherwise);

} // namespace tavorin::db
