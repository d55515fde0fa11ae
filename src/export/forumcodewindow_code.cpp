#include "app/textescape.h"
#include "db/leaguesession.h"
#include "export/bbpreview.h"
#include "export/forumcodewindow.h"
#include "export/tableexport.h"
#include "results/standings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>

namespace tavorin {

using namespace Qt::StringLiterals;

bool ForumCodeWindow::flag(const QString& key) const {
    const ExportKey* e = findExportKey(key);
    return e && e->flag && context.settings->*e->flag;
}

QString ForumCodeWindow::text(const QString& key) const {
    const ExportKey* e = findExportKey(key);
    return e && e->text ? context.settings->*e->text : QString();
}

void ForumCodeWindow::store(const QStringList& keys) const {
    storeExportKeys(context.configPath, *context.settings, keys);
}

bool ForumCodeWindow::readRows(Rows& rows) const {
    db::LeagueStore& store = context.session->store();
    switch (k.content) {
    case ForumCodeWindowKind::LeagueTable:
        rows.table = store.rankedLeagueTable(context.league, context.points);
        break;
    case ForumCodeWindowKind::Statistics:
        rows.statistics = store.statistics(context.league);
        break;
    case ForumCodeWindowKind::Schedule:
        rows.matches = store.scheduleForExport(context.league);
        break;
    }
    return !store.readsFailing();
}

ExportOptions ForumCodeWindow::options() const {
    ExportOptions o;
    o.format = c.bbcode->isChecked() ? CodeFormat::BBCode : c.html->isChecked() ? CodeFormat::Html : CodeFormat::None;
    o.firstName = c.name1->isChecked();
    o.secondName = c.name2->isChecked();
    o.width = c.width->text();
    o.widthUnit = c.percent->isChecked() ? WidthUnit::Percent
                  : c.pixel->isChecked() ? WidthUnit::Pixel
                                         : WidthUnit::None;
    o.lineThickness = c.thickness->currentText();
    o.lineColour = c.lineColour->text();
    o.showDate = c.date->isChecked();
    o.today = context.today;
    o.currentTime = QTime::currentTime().toString(u"hh:mm"_s);
    return o;
}

QString ForumCodeWindow::code(const Rows& rows, CodeFormat format) const {
    ExportOptions common = options();
    common.format = format;
    if (k.content == ForumCodeWindowKind::Schedule) {
        ScheduleCodeOptions o;
        static_cast<ExportOptions&>(o) = common;
        o.drawnColour = c.scoreColour[0]->text();
        o.wonColour = c.scoreColour[1]->text();
        o.lostColour = c.scoreColour[2]->text();
        o.boldMatchDays = c.bbFormatting[0]->isChecked();
        o.underlinedMatchDays = c.bbFormatting[1]->isChecked();
        o.boldScore = c.bbFormatting[2]->isChecked();
        return scheduleCode(rows.matches, o, context.platforms);
    }
    TableCodeOptions o;
    static_cast<ExportOptions&>(o) = common;
    o.alignment = c.alignment[0]->isChecked()   ? CellAlignment::Left
                  : c.alignment[1]->isChecked() ? CellAlignment::Centred
                  : c.alignment[2]->isChecked() ? CellAlignment::NamesLeftValuesCentred
                                                : CellAlignment::None;
    return k.content == ForumCodeWindowKind::LeagueTable ? leagueTableCode(rows.table, o)
                                                         : statisticsCode(rows.statistics, o);
}

void ForumCodeWindow::writeCode() {
    Rows rows;
    if (readRows(rows))
        c.code->setPlainText(code(rows, options().format));
}

void ForumCodeWindow::copyCode() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    clipboard->setText(c.code->toPlainText(), QClipboard::Clipboard);
}

void ForumCodeWindow::showFormat() {
    const bool bb = c.bbcode->isChecked();
    for (QWidget* w : std::as_const(htmlOnly)) {
        w->setEnabled(!bb);
        w->setToolTip(replaceUmlautEscapes(u"nur f:ue:r HTML"_s));
    }
    for (QWidget* w : std::as_const(bbOnly)) {
        w->setEnabled(bb);
        w->setToolTip(u"nur f\u00fcr BB-Code"_s);
    }
}

void ForumCodeWindow::formatChanged() {
    const QString key = k.key("format%1");
    setExportText(*context.settings, key, c.bbcode->isChecked() ? u"bbcode"_s : u"html"_s);
    store({key});
    showFormat();
}

void ForumCodeWindow::renderPreview() {
    previewTimer.stop();
    const QString code = c.code->toPlainText();
    c.preview->setHtml(c.bbcode->isChecked() ? bbCodeToHtml(code) : code);
}

void ForumCodeWindow::storeNames() {
    const QString a = k.key("name%1a"), b = k.key("name%1b");
    setExportFlag(*context.settings, a, c.name1->isChecked());
    setExportFlag(*context.settings, b, c.name2->isChecked());
    store({a, b});
    writeCode();
}

void ForumCodeWindow::storeDate() {
    setExportFlag(*context.settings, k.dateKey, c.date->isChecked());
    store({k.dateKey});
    writeCode();
}

void ForumCodeWindow::storeThickness() {
    const QString key = k.key("linieB%1");
    setExportText(*context.settings, key, c.thickness->currentText());
    store({key});
    writeCode();
}

void ForumCodeWindow::storeWidth() {
    const QStringList keys = {k.key("TabBreite%1Prozent"), k.key("TabBreite%1Pixel"), k.key("TabBreite%1Value")};
    setExportFlag(*context.settings, keys[0], c.percent->isChecked());
    setExportFlag(*context.settings, keys[1], c.pixel->isChecked());
    setExportText(*context.settings, keys[2], c.width->text());
    store(keys);
    writeCode();
}

void ForumCodeWindow::storeAlignment() {
    if (k.alignmentStem.isEmpty())
        return;
    const QString stem = k.alignmentStem;
    const QStringList keys = {stem + "Links"_L1, stem + "Zentriert"_L1, stem + "LinksZentriert"_L1};
    for (int i = 0; i < 3; ++i)
        setExportFlag(*context.settings, keys[i], c.alignment[i]->isChecked());
    store(keys);
    writeCode();
}

void ForumCodeWindow::chooseColour(int index) {
    static const char* const scoreKeys[] = {"unentschieden", "gewonnen", "verloren"};
    const bool line = index == k.lineColourIndex;
    if (!line && (k.content != ForumCodeWindowKind::Schedule || index < 1 || index > 3))
        return;
    const QString key = line ? k.key("linie%1") : QString::fromLatin1(scoreKeys[index - 1]);
    const QColor chosen =
        QColorDialog::getColor(QColor(text(key)), parentWidget(), replaceUmlautEscapes(u"Farbe w:ae:hlen"_s));
    if (!chosen.isValid())
        return;
    const QString name = chosen.name();
    setExportText(*context.settings, key, name);
    (line ? c.lineSwatch : c.scoreSwatch[index - 1])
        ->setStyleSheet(u"border:1px solid #000000; background-color:"_s + name);
    (line ? c.lineColour : c.scoreColour[index - 1])->setText(name); // writes the code
    store({u"unentschieden"_s, u"gewonnen"_s, u"verloren"_s, u"linie1"_s, u"linie2"_s, u"linie3"_s});
}

QString ForumCodeWindow::fileName() const {
    return k.title + u' ' + context.leagueName;
}

bool ForumCodeWindow::csvFile(QByteArray& out) const {
    Rows rows;
    if (!readRows(rows))
        return false;
    ExportOptions names;
    names.firstName = c.name1->isChecked();
    names.secondName = c.name2->isChecked();
    out = k.content == ForumCodeWindowKind::LeagueTable  ? leagueTableCsv(rows.table, names)
          : k.content == ForumCodeWindowKind::Statistics ? statisticsCsv(rows.statistics, names)
                                                         : scheduleCsv(rows.matches, names);
    return true;
}

bool ForumCodeWindow::printDocument(QTextDocument& document) const {
    Rows rows;
    if (!readRows(rows))
        return false;
    document.setHtml(printHtml(context.leagueName, context.today, code(rows, CodeFormat::Html)));
    document.setMetaInformation(QTextDocument::DocumentTitle, safeName(context.leagueName) + " - "_L1 + k.title);
    return true;
}

} // namespace tavorin
