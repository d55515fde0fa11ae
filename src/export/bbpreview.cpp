#include "export/bbpreview.h"

#include <QLatin1StringView>
#include <QStringList>

#include <array>
#include <vector>

namespace tavorin {

using namespace Qt::StringLiterals;

namespace {

// The elements of the preview. Row and Cell are the rows and cells that "[*]" opens in a table.
enum Kind { Bold, Italic, Underline, Strike, Tr, Td, Th, Colour, Align, Link, Table, Row, Cell, KindCount };

struct SimpleTag {
    QLatin1StringView name;
    Kind kind;
    QLatin1StringView open, close;
};

constexpr SimpleTag simpleTags[] = {
    {"b"_L1, Bold, "<b>"_L1, "</b>"_L1},      {"i"_L1, Italic, "<i>"_L1, "</i>"_L1},
    {"u"_L1, Underline, "<u>"_L1, "</u>"_L1}, {"s"_L1, Strike, "<s>"_L1, "</s>"_L1},
    {"tr"_L1, Tr, "<tr>"_L1, "</tr>"_L1},     {"td"_L1, Td, "<td>"_L1, "</td>"_L1},
    {"th"_L1, Th, "<th>"_L1, "</th>"_L1},     {"color"_L1, Colour, {}, "</span>"_L1},
    {"align"_L1, Align, {}, "</div>"_L1},     {"url"_L1, Link, {}, "</a>"_L1},
    {"table"_L1, Table, {}, "</table>"_L1},
};

const SimpleTag* tagNamed(const QString& name) {
    for (const SimpleTag& t : simpleTags) {
        if (name == t.name)
            return &t;
    }
    return nullptr;
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A tag as written: "[name]", "[/name]", "[*]" or "[name=value]". The value holds no "[", "]" or line
// feed, so that reading a tag never reads past the next "[" and the whole text is read at most twice.
struct Tag {
    bool valid = false;
    bool closing = false;
    bool hasValue = false;
    QString name; // in lower case
    QStringView value;
    qsizetype end = 0; // just after the "]"
};

Tag readTag(QStringView code, qsizetype pos) {
    Tag t;
    qsizetype i = pos + 1;
    const qsizetype n = code.size();
    if (i < n && code[i] == u'/') {
        t.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    if (i < n && code[i] == u'*')
        ++i;
    else
        while (i < n && isAsciiLetter(code[i]))
            ++i;
    t.name = code.mid(nameStart, i - nameStart).toString().toLower();
    if (i < n && code[i] == u'=' && !t.closing) {
        const qsizetype valueStart = ++i;
        while (i < n && code[i] != u']' && code[i] != u'[' && code[i] != u'\n')
            ++i;
        t.hasValue = true;
        t.value = code.mid(valueStart, i - valueStart);
    }
    t.valid = !t.name.isEmpty() && i < n && code[i] == u']';
    t.end = i + 1;
    return t;
}

void appendEscaped(QString& out, QStringView text) {
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<':
            out += "&lt;"_L1;
            break;
        case u'>':
            out += "&gt;"_L1;
            break;
        case u'&':
            out += "&amp;"_L1;
            break;
        case u'"':
            out += "&quot;"_L1;
            break;
        default:
            out += c;
        }
    }
}

// An http or https address without blanks or control characters (the rest is escaped).
bool isWebAddress(QStringView address) {
    const qsizetype scheme = address.startsWith("https://"_L1, Qt::CaseInsensitive)  ? 8
                             : address.startsWith("http://"_L1, Qt::CaseInsensitive) ? 7
                                                                                    : 0;
    if (scheme == 0 || address.size() == scheme)
        return false;
    for (const QChar c : address) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
    }
    return true;
}

bool isColour(QStringView value) {
    const QStringView digits = value.startsWith(u'#') ? value.mid(1) : value;
    if (digits.isEmpty() || digits.size() > 20)
        return false;
    for (const QChar c : digits) {
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9'))
            return false;
    }
    return true;
}

class Converter {
public:
    explicit Converter(QStringView text) : code(text) { html.reserve(code.size() * 2); }

    QString run() {
        qsizetype pos = 0, textStart = 0;
        while (pos < code.size()) {
            if (code[pos] == u'\n') {
                appendEscaped(html, code.mid(textStart, pos - textStart));
                lineFeed();
                textStart = ++pos;
            } else if (const Tag t = code[pos] == u'[' ? readTag(code, pos) : Tag(); t.valid) {
                appendEscaped(html, code.mid(textStart, pos - textStart));
                const qsizetype next = apply(t);
                if (next < 0)
                    appendEscaped(html, code.mid(pos, t.end - pos)); // stays text
                textStart = pos = next < 0 ? t.end : next;
            } else {
                ++pos;
            }
        }
        appendEscaped(html, code.mid(textStart));
        closeDownTo(0);
        return html;
    }

private:
    // Writes the element of a tag; returns where the code goes on, or -1 when the tag stays text.
    qsizetype apply(const Tag& t) {
        if (t.name == "*"_L1) {
            if (t.hasValue || t.closing || tables.empty())
                return -1;
            cell();
            return t.end;
        }
        const SimpleTag* tag = tagNamed(t.name);
        if (!tag)
            return -1;
        if (t.closing) {
            if (counts[tag->kind] == 0)
                return -1;
            while (open.back().kind != tag->kind)
                pop();
            pop();
            return t.end;
        }
        return opening(*tag, t);
    }

    qsizetype opening(const SimpleTag& tag, const Tag& t) {
        switch (tag.kind) {
        case Colour:
            return isColour(t.value) ? push(tag, R"(<span style="color:)"_L1 + t.value.toString() + "\">"_L1, t.end)
                                     : -1;
        case Align:
            return t.value == "left"_L1 || t.value == "center"_L1 || t.value == "right"_L1
                       ? push(tag, R"(<div align=")"_L1 + t.value.toString() + "\">"_L1, t.end)
                       : -1;
        case Link:
            return t.hasValue ? (isWebAddress(t.value) ? push(tag, anchor(t.value), t.end) : -1) : bareLink(t.end);
        case Table:
            return table(tag, t);
        default:
            return t.hasValue ? -1 : push(tag, tag.open, t.end);
        }
    }

    qsizetype push(const SimpleTag& tag, const QString& openTag, qsizetype next) {
        html += openTag;
        open.push_back({tag.kind, tag.close});
        ++counts[tag.kind];
        if (tag.kind == Table)
            tables.push_back(open.size() - 1);
        return next;
    }

    void pop() {
        const Element e = open.back();
        open.pop_back();
        --counts[e.kind];
        if (e.kind == Table)
            tables.pop_back();
        html += e.close;
    }

    void closeDownTo(size_t size) {
        while (open.size() > size)
            pop();
    }

    static QString anchor(QStringView address) {
        QString a = R"(<a href=")"_L1;
        appendEscaped(a, address);
        return a + "\">"_L1;
    }

    // [url]address[/url]: the address up to the next [/url] is link and text at once.
    qsizetype bareLink(qsizetype from) {
        if (urlClose != -1 && urlClose < from)
            urlClose = code.indexOf("[/url]"_L1, from, Qt::CaseInsensitive); // searches each part of the code once
        if (urlClose < 0)
            return -1;
        const QStringView address = code.mid(from, urlClose - from);
        if (!isWebAddress(address) || address.contains(u'['))
            return -1;
        html += anchor(address);
        appendEscaped(html, address);
        html += "</a>"_L1;
        return urlClose + 6;
    }

    qsizetype table(const SimpleTag& tag, const Tag& t) {
        push(tag, R"(<table border="1" cellspacing="0" cellpadding="4">)"_L1, t.end);
        QStringView captions = t.value;
        if (captions.size() >= 2 && (captions.front() == u'\'' || captions.front() == u'"') &&
            captions.back() == captions.front())
            captions = captions.mid(1, captions.size() - 2);
        if (captions.isEmpty())
            return t.end;
        html += "<tr>"_L1;
        for (const QStringView caption : captions.split(u',')) {
            html += "<th>"_L1;
            appendEscaped(html, caption);
            html += "</th>"_L1;
        }
        html += "</tr>"_L1;
        return t.end;
    }

    // "[*]": the next cell of the table's open row, or a new row.
    void cell() {
        static constexpr SimpleTag row{{}, Row, "<tr>"_L1, "</tr>"_L1}, cell{{}, Cell, "<td>"_L1, "</td>"_L1};
        const size_t t = tables.back();
        const bool inRow = open.size() > t + 1 && open[t + 1].kind == Row;
        closeDownTo(inRow ? t + 2 : t + 1);
        if (!inRow)
            push(row, row.open, 0);
        push(cell, cell.open, 0);
    }

    // In a table a line feed ends the row of "[*]" cells; outside tables it ends a line.
    void lineFeed() {
        if (tables.empty()) {
            html += "<br>"_L1;
            return;
        }
        const size_t t = tables.back();
        if (open.size() > t + 1 && open[t + 1].kind == Row)
            closeDownTo(t + 1);
    }

    struct Element {
        Kind kind;
        QLatin1StringView close;
    };

    const QStringView code;
    QString html;
    std::vector<Element> open;
    std::array<int, KindCount> counts{};
    std::vector<size_t> tables; // the places of the open tables in `open`
    qsizetype urlClose = -2;    // the last [/url] found, -1 when there is none after it
};

} // namespace

QString bbCodeToHtml(const QString& code) {
    return Converter(code).run();
}

} // namespace tavorin
