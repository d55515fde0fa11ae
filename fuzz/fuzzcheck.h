#pragma once

// What the fuzz targets share: the check macro, reading options and texts from the fuzzer's bytes, and the
// invariants of generated forum code.

#include "export/forumcode.h"
#include "import/platformreplies.h"

#include <QString>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

// Aborts with the failed condition, so that libFuzzer reports the input as a crash.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fuzzcheck {

inline QString text(FuzzedDataProvider& in, size_t maxLength = 40) {
    return QString::fromUtf8(QByteArray::fromStdString(in.ConsumeRandomLengthString(maxLength)));
}

// A value list parsed from a reply: the right length, values no longer than maxValueLength, and figures the
// result form can hold; or no values and, for no game data, the reason.
inline void checkImported(const tavorin::ImportedValues& v, qsizetype positions) {
    using namespace tavorin;
    if (v.outcome != ImportOutcome::Ok) {
        FUZZ_CHECK(v.first.isEmpty() && v.second.isEmpty());
        FUZZ_CHECK(v.reason.isEmpty() == (v.outcome != ImportOutcome::NoGameData));
        return;
    }
    for (const QStringList* side : {&v.first, &v.second}) {
        FUZZ_CHECK(side->size() == positions);
        for (const QString& value : *side)
            FUZZ_CHECK(value.size() <= maxValueLength);
        FUZZ_CHECK(resultentry::firstImpossibleField(importedSide(*side)) == resultentry::FieldCount);
        FUZZ_CHECK(importedLegTotal(*side, {}) >= 0 && importedLegTotal(*side, {}) <= 99);
    }
}

// The options every export window has, with any texts at all in the fields that reach the code.
template <typename Options> void readOptions(FuzzedDataProvider& in, Options& o) {
    using namespace tavorin;
    o.format = in.PickValueInArray({CodeFormat::Html, CodeFormat::Html, CodeFormat::BBCode, CodeFormat::None});
    o.firstName = in.ConsumeBool();
    o.secondName = in.ConsumeBool();
    o.width = text(in, 12);
    o.widthUnit = in.PickValueInArray({WidthUnit::None, WidthUnit::Percent, WidthUnit::Pixel});
    o.lineThickness = text(in, 8);
    o.lineColour = text(in, 12);
    o.showDate = in.ConsumeBool();
    o.today = text(in, 16);
    o.currentTime = text(in, 8);
}

// The options of the table and statistics windows: the common ones and the alignment.
inline tavorin::TableCodeOptions tableOptions(FuzzedDataProvider& in) {
    using tavorin::CellAlignment;
    tavorin::TableCodeOptions o;
    readOptions(in, o);
    o.alignment = in.PickValueInArray(
        {CellAlignment::None, CellAlignment::Left, CellAlignment::Centred, CellAlignment::NamesLeftValuesCentred});
    return o;
}

// True when `value` of attribute `name` is one the builders write: fixed words, a style of harmless
// characters, a web link.
inline bool harmlessAttribute(const QString& name, const QString& value) {
    if (name == QLatin1String("style")) {
        for (const QChar c : value) {
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && !QStringLiteral("#:;.%- ").contains(c))
                return false;
        }
        return true;
    }
    if (name == QLatin1String("href"))
        return value.startsWith(QLatin1String("http://")) || value.startsWith(QLatin1String("https://"));
    if (name == QLatin1String("cellspacing"))
        return value == QLatin1String("0");
    if (name == QLatin1String("colspan") || name == QLatin1String("rowspan"))
        return value == QLatin1String("2") || value == QLatin1String("3") || value == QLatin1String("5") ||
               value == QLatin1String("12");
    if (name == QLatin1String("target"))
        return value == QLatin1String("blank");
    if (name == QLatin1String("title"))
        return value == QLatin1String("zum Spiel");
    return false;
}

// HTML code holds only the tags and attributes the builders write, and text in which every "&" starts
// one of the escapes and no "<", ">" or double quote stands.
inline void checkHtml(const QString& html) {
    static const QStringList tags = {QStringLiteral("table"), QStringLiteral("tbody"), QStringLiteral("tr"),
                                     QStringLiteral("th"),    QStringLiteral("td"),    QStringLiteral("div"),
                                     QStringLiteral("a")};
    static const QStringList escapes = {QStringLiteral("&amp;"), QStringLiteral("&lt;"), QStringLiteral("&gt;"),
                                        QStringLiteral("&quot;")};
    static const QString comment = QStringLiteral("<!-- Tabellenzwischenraum -->");
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('&')) {
            bool known = false;
            for (const QString& e : escapes)
                known = known || QStringView(html).mid(i).startsWith(e);
            FUZZ_CHECK(known);
            ++i;
            continue;
        }
        FUZZ_CHECK(c != QLatin1Char('>') && c != QLatin1Char('"'));
        if (c != QLatin1Char('<')) {
            ++i;
            continue;
        }
        if (QStringView(html).mid(i).startsWith(comment)) {
            i += comment.size();
            continue;
        }
        ++i;
        const bool closing = i < html.size() && html.at(i) == QLatin1Char('/');
        if (closing)
            ++i;
        QString name;
        while (i < html.size() && html.at(i).isLetter() && html.at(i).unicode() < 128)
            name += html.at(i++);
        FUZZ_CHECK(tags.contains(name));
        for (;;) {
            while (i < html.size() && html.at(i) == QLatin1Char(' '))
                ++i;
            FUZZ_CHECK(i < html.size());
            if (html.at(i) == QLatin1Char('>')) {
                ++i;
                break;
            }
            FUZZ_CHECK(!closing);
            QString attribute;
            while (i < html.size() && html.at(i).isLetter() && html.at(i).unicode() < 128)
                attribute += html.at(i++);
            FUZZ_CHECK(QStringView(html).mid(i, 2) == QLatin1String("=\""));
            i += 2;
            const qsizetype end = html.indexOf(QLatin1Char('"'), i);
            FUZZ_CHECK(end >= 0);
            FUZZ_CHECK(harmlessAttribute(attribute, html.mid(i, end - i)));
            i = end + 1;
        }
    }
}

// BB-Code holds no "[" or "]" but those of the tags the builders write.
inline void checkBBCode(QString code) {
    static const QStringList tags = {
        QStringLiteral("[table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']"),
        QStringLiteral("[table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest Finish, Best Leg']"),
        QStringLiteral("[/table]"),
        QStringLiteral("[*]"),
        QStringLiteral("[b]"),
        QStringLiteral("[/b]"),
        QStringLiteral("[u]"),
        QStringLiteral("[/u]"),
        QStringLiteral("[align=left]"),
        QStringLiteral("[align=center]"),
        QStringLiteral("[/align]")};
    for (const QString& tag : tags)
        code.remove(tag);
    FUZZ_CHECK(!code.contains(QLatin1Char('[')) && !code.contains(QLatin1Char(']')));
}

inline void checkCode(tavorin::CodeFormat format, const QString& code) {
    switch (format) {
    case tavorin::CodeFormat::Html:
        checkHtml(code);
        break;
    case tavorin::CodeFormat::BBCode:
        checkBBCode(code);
        break;
    case tavorin::CodeFormat::None:
        FUZZ_CHECK(code.isEmpty());
        break;
    }
}

} // namespace fuzzcheck
