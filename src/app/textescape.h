#pragma once

#include <QString>

namespace tavorin {

// Interface texts are stored with four-character escapes in place of the German umlauts and the sharp s
// (":ae:" for "ä", ":sz:" for "ß", ...). Returns the text with every escape replaced, case-sensitively,
// in the fixed order ä ö ü Ä Ö Ü ß; where two escapes share a colon the earlier one in that order wins.
QString replaceUmlautEscapes(QString text);

} // namespace tavorin
