// The preview of BB-Code with any text: HTML whose elements nest and close, which links only to web pages,
// whose text holds only escapes, and which is at most bbPreviewGrowth times as long as the code.
#include "export/bbpreview.h"
#include "fuzzcheck.h"

#include <algorithm>

namespace {

// The opening tag `tag` (without its angle brackets) is one the preview writes; returns its element.
QString element(const QString& tag) {
    static const QStringList plain = {QStringLiteral("b"), QStringLiteral("i"),  QStringLiteral("u"),
                                      QStringLiteral("s"), QStringLiteral("tr"), QStringLiteral("td"),
                                      QStringLiteral("th")};
    static const QStringList aligned = {QStringLiteral("div align=\"left\""), QStringLiteral("div align=\"center\""),
                                        QStringLiteral("div align=\"right\"")};
    if (plain.contains(tag) || aligned.contains(tag))
        return tag.section(QLatin1Char(' '), 0, 0);
    if (tag == QLatin1String("table border=\"1\" cellspacing=\"0\" cellpadding=\"4\""))
        return QStringLiteral("table");
    const auto quoted = [&](QLatin1StringView start) {
        return tag.startsWith(start) && tag.endsWith(QLatin1Char('"')) &&
               tag.indexOf(QLatin1Char('"'), start.size()) == tag.size() - 1;
    };
    if (quoted(QLatin1StringView("span style=\"color:"))) {
        for (const QChar c : tag.mid(18).chopped(1))
            FUZZ_CHECK((c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('#'));
        return QStringLiteral("span");
    }
    FUZZ_CHECK(quoted(QLatin1StringView("a href=\"")));
    const QString href = tag.mid(8);
    FUZZ_CHECK(href.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
               href.startsWith(QLatin1String("https://"), Qt::CaseInsensitive));
    return QStringLiteral("a");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString code = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString html = tavorin::bbCodeToHtml(code);
    FUZZ_CHECK(html.size() <= tavorin::bbPreviewGrowth * code.size());
    static const QStringList escapes = {QStringLiteral("&amp;"), QStringLiteral("&lt;"), QStringLiteral("&gt;"),
                                        QStringLiteral("&quot;")};
    QStringList open;
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('&')) {
            FUZZ_CHECK(std::any_of(escapes.begin(), escapes.end(),
                                   [&](const QString& e) { return QStringView(html).mid(i).startsWith(e); }));
        }
        FUZZ_CHECK(c != QLatin1Char('>') && c != QLatin1Char('"'));
        if (c != QLatin1Char('<')) {
            ++i;
            continue;
        }
        const qsizetype end = html.indexOf(QLatin1Char('>'), i);
        FUZZ_CHECK(end > i);
        const QString tag = html.mid(i + 1, end - i - 1);
        i = end + 1;
        if (tag.startsWith(QLatin1Char('/')))
            FUZZ_CHECK(!open.isEmpty() && open.takeLast() == tag.mid(1)); // closes the innermost element
        else if (tag != QLatin1String("br"))
            open << element(tag);
    }
    FUZZ_CHECK(open.isEmpty()); // everything opened is closed
    return 0;
}
