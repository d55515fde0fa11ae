#pragma once

#include <QString>

namespace tavorin {

// Plain text of an HTML fragment, close to what a rich-text document reads back as plain text: comments
// and the contents of head, script, style and title dropped, <br> a line break, block elements on lines
// of their own, other tags removed, white space collapsed and trimmed per line, character references
// (named ones common in names, decimal and hexadecimal ones) decoded, a no-break space read as a blank.
// A "<" that does not open a tag stays as it is. The time taken is linear in the fragment's size.
QString markupToPlainText(const QString& html);

} // namespace tavorin
