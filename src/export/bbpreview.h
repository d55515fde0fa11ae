#pragma once

#include <QString>

namespace tavorin {

// BB-Code as HTML for the preview of the forum-code windows: [table] and [table='captions'] with rows of
// "[*]" cells (a line feed ends such a row), [tr], [td], [th], [b], [i], [u], [s], [color=...],
// [align=left|center|right], and links to web pages: [url=address]text[/url] and [url]address[/url].
//
// Any text is converted in one pass, in time linear in its length, into at most bbPreviewGrowth characters
// of HTML per character. Every text is HTML-escaped. Elements nest as they are opened: a closing tag closes
// the elements opened after its own, a closing tag that closes nothing open stays text, and whatever is
// still open at the end is closed, innermost first. A tag that is not understood, a value that is not
// allowed and a link to anything but an http or https address stay text.
QString bbCodeToHtml(const QString& code);

inline constexpr int bbPreviewGrowth = 12;

} // namespace tavorin
