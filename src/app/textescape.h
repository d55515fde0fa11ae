#pragma once

#include <QString>

namespace tavorin {

// Interface texts are stored with four-character escapes in place of the German umlauts and the sharp s
// (":ae:" for "ä", ":sz:" for "ß", ...). Returns the text with every escape replaced, case-sensitively,
// in the fixed order ä ö ü Ä Ö Ü ß; where two escapes share a colon the earlier one in that order wins.
QString replaceUmlautEscapes(QString text);

// A stored name (or any stored text) as every output shows it: forum code, CSV, the printed page and the
// views. Line breaks (LF, VT, FF, CR, NEL, U+2028, U+2029) and tabs become a blank, so that a name stays on
// its line and in its table row; every other control character (C0, DEL, C1, NUL among them) and every
// bidirectional control (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069) is removed, so that
// no name can turn the text after it around. A text without such characters comes back unchanged.
QString safeName(const QString& text);

} // namespace tavorin
