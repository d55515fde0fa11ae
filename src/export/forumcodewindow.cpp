#include "export/forumcodewindow.h"
#include "app/textescape.h"
#include "app/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tavorin {

using namespace Qt::StringLiterals;

const ForumCodeWindowKind& ForumCodeWindowKind::of(int number) {
    static const ForumCodeWindowKind kinds[] = {
        {LeagueTable, "Tabelle"_L1, "TabAktDatum"_L1, "Tab"_L1, 2, 6},
        {Statistics, "Statistik"_L1, "StatAktDatum"_L1, "Stat"_L1, 1, 5},
        {Schedule, "Spielplan"_L1, "StagAktDatum"_L1, {}, 3, 4},
    };
    return kinds[qBound(1, number, 3) - 1];
}

QString ForumCodeWindowKind::key(const char* pattern) const {
    return QString::fromLatin1(pattern).arg(number());
}

namespace {

template <typename W> W* named(const char* name) {
    auto* w = new W;
    w->setObjectName(QLatin1StringView(name));
    return w;
}

template <typename W> W* named(const char* name, const QString& text) {
    auto* w = named<W>(name);
    w->setText(text);
    return w;
}

QString shown(const char* text) {
    return replaceUmlautEscapes(QLatin1StringView(text));
}

// A group box with its designed height.
QGroupBox* group(const char* title, int height, const char* name) {
    auto* g = named<QGroupBox>(name);
    g->setTitle(shown(title));
    widgets::designSize(g, -1, height);
    return g;
}

const QString swatchStyle = u"border:1px solid #000000; background-color:"_s;

// A read-only colour field with its swatch and its button, for a colour name like "#ffffdd", as a row of
// `grid`; the objects are named after `name`.
QPushButton* colourRow(QGridLayout* grid, int row, const QString& colour, const QString& name,
                       const QString& buttonText, QLineEdit** field, QLabel** swatch) {
    *field = new QLineEdit(colour);
    (*field)->setObjectName(name + "FarbeLineEdit"_L1);
    (*field)->setReadOnly(true);
    widgets::designSize(*field, 60);
    *swatch = new QLabel;
    (*swatch)->setObjectName(name + "MusterLabel"_L1);
    (*swatch)->setFixedSize(20, 20);
    (*swatch)->setStyleSheet(swatchStyle + colour);
    auto* button = new QPushButton(buttonText);
    button->setObjectName(name + "Button"_L1);
    grid->addWidget(*field, row, 0);
    grid->addWidget(*swatch, row, 1);
    grid->addWidget(button, row, 2);
    return button;
}

} // namespace

ForumCodeWindow::ForumCodeWindow(const ForumCodeWindowKind& kind, const ForumCodeContext& ctx, QWidget* parent)
    : QDialog(parent), k(kind), context(ctx) {
    setObjectName(QStringLiteral("exportFenster%1Dialog").arg(k.number()));
    auto* column = new QVBoxLayout(this);
    buildFormat(column);
    buildCode(column);
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    // Window-specific groups come first in the row, "Einstellungen" last.
    rowLayout->addWidget(k.content == ForumCodeWindowKind::Schedule ? buildScheduleGroups() : buildAlignment());
    rowLayout->addWidget(buildSettings());
    column->addWidget(row);
    buildButtons(column);

    showFormat();
    connect(c.bbcode, &QRadioButton::toggled, this, &ForumCodeWindow::formatChanged);
    previewTimer.setSingleShot(true);
    previewTimer.setInterval(250);
    connect(&previewTimer, &QTimer::timeout, this, &ForumCodeWindow::renderPreview);
    connect(c.code, &QPlainTextEdit::textChanged, &previewTimer, qOverload<>(&QTimer::start));

    // The window is laid out rather than fixed: it can be resized and fits a small screen.
    widgets::applyDesignSizes(this);
    widgets::fitToScreen(this, QSize(600, 800));
}

void ForumCodeWindow::buildFormat(QVBoxLayout* column) {
    QGroupBox* format = group("Format", 60, "formatGroupBox");
    c.html = named<QRadioButton>("htmlRadioButton", u"html-Code"_s);
    c.bbcode = named<QRadioButton>("bbcodeRadioButton", u"BB-Code"_s);
    (text(k.key("format%1")) == "bbcode"_L1 ? c.bbcode : c.html)->setChecked(true);
    auto* layout = new QVBoxLayout(format);
    layout->setSpacing(0);
    layout->addWidget(c.html);
    layout->addWidget(c.bbcode);
    column->addWidget(format);
}

void ForumCodeWindow::buildCode(QVBoxLayout* column) {
    // The code field and below it its preview take the room the window gains. The code of a whole season
    // is more than a megabyte, which a plain text field takes in a fraction of the time.
    c.code = named<QPlainTextEdit>("codeTextEdit");
    c.preview = named<QTextEdit>("vorschauTextEdit");
    c.preview->setReadOnly(true);
    // A narrow table column grows rather than breaking a word in two.
    c.preview->setWordWrapMode(QTextOption::WordWrap);
    auto* splitter = named<QSplitter>("codeSplitter");
    splitter->setOrientation(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(c.code);
    splitter->addWidget(c.preview);
    column->addWidget(splitter, 1);
}

QGroupBox* ForumCodeWindow::buildSettings() {
    QGroupBox* settings = group("Einstellungen", 185, "einstellungenGroupBox");
    auto* grid = new QGridLayout(settings);
    grid->setVerticalSpacing(4);
    c.name1 = named<QCheckBox>("name1CheckBox", context.captions.name1);
    c.name1->setChecked(flag(k.key("name%1a")));
    c.name2 = named<QCheckBox>("name2CheckBox", context.captions.name2);
    c.name2->setChecked(flag(k.key("name%1b")));
    auto* names = new QHBoxLayout;
    names->addWidget(c.name1);
    names->addWidget(c.name2);
    names->addStretch();
    grid->addLayout(names, 0, 0, 1, 3);
    buildWidth(grid);
    buildLine(grid);
    c.date = named<QCheckBox>("datumCheckBox", u"Aktualisierungsdatum anzeigen"_s);
    c.date->setChecked(flag(k.dateKey));
    grid->addWidget(c.date, 4, 0, 1, 3);
    htmlOnly << c.date;
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    return settings;
}

void ForumCodeWindow::buildWidth(QGridLayout* grid) {
    auto* width = named<QGroupBox>("breiteGroupBox");
    width->setTitle(u"Tabellenbreite"_s);
    c.width = named<QLineEdit>("breiteLineEdit", text(k.key("TabBreite%1Value")));
    c.width->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,5}"_s), c.width));
    widgets::designSize(c.width, 55);
    c.percent = named<QRadioButton>("prozentRadioButton", u"%"_s);
    c.pixel = named<QRadioButton>("pixelRadioButton", u"Px"_s);
    auto* layout = new QHBoxLayout(width);
    layout->addWidget(c.width);
    layout->addWidget(c.percent);
    layout->addWidget(c.pixel);
    layout->addStretch();
    // Checked once both are in the group, which keeps at most one of them checked.
    c.percent->setChecked(flag(k.key("TabBreite%1Prozent")));
    c.pixel->setChecked(flag(k.key("TabBreite%1Pixel")));
    grid->addWidget(width, 1, 0, 1, 3);
    htmlOnly << width;
}

void ForumCodeWindow::buildLine(QGridLayout* grid) {
    c.thickness = named<QComboBox>("staerkeComboBox");
    for (int thickness = 0; thickness <= 8; ++thickness)
        c.thickness->addItem(QString::number(thickness));
    c.thickness->setCurrentText(text(k.key("linieB%1")));
    widgets::designSize(c.thickness, 60);
    auto* label = named<QLabel>("staerkeLabel", shown("Linienst:ae:rke (nur HTML)"));
    grid->addWidget(c.thickness, 2, 0);
    grid->addWidget(label, 2, 1, 1, 2);
    c.lineButton = colourRow(grid, 3, text(k.key("linie%1")), u"linie"_s, u"Linienfarbe (nur HTML)"_s, &c.lineColour,
                             &c.lineSwatch);
    c.lineButton->setObjectName(u"linienfarbeButton"_s);
    htmlOnly << c.thickness << label << c.lineColour << c.lineSwatch << c.lineButton;
}

QGroupBox* ForumCodeWindow::buildAlignment() {
    QGroupBox* alignment = group("Ausrichtung", 185, "ausrichtungGroupBox");
    auto* layout = new QVBoxLayout(alignment);
    static const char* const texts[] = {"Alle Tabelleninhalte linksb:ue:ndig", "Alle Tabelleninhalte zentriert",
                                        "Namen linksb:ue:ndig, Werte zentriert"};
    static const char* const names[] = {"linksRadioButton", "zentriertRadioButton", "linksZentriertRadioButton"};
    static const char* const keys[] = {"Links", "Zentriert", "LinksZentriert"};
    for (int i = 0; i < 3; ++i) {
        c.alignment[i] = named<QRadioButton>(names[i], shown(texts[i]));
        layout->addWidget(c.alignment[i]);
        // Set in turn: in the exclusive group a later "true" unchecks an earlier one.
        if (flag(QString(k.alignmentStem) + QLatin1StringView(keys[i])))
            c.alignment[i]->setChecked(true);
    }
    layout->addStretch();
    return alignment;
}

QWidget* ForumCodeWindow::buildScheduleGroups() {
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* formatting = group("Formatierung (nur BB-Code)", 80, "formatierungGroupBox");
    auto* formattingLayout = new QVBoxLayout(formatting);
    formattingLayout->setSpacing(0);
    static const char* const boxTexts[] = {"Spieltage fett", "Spieltage unterstrichen", "Spielstand fett"};
    static const char* const boxNames[] = {"spieltageFettCheckBox", "spieltageUnterstrichenCheckBox",
                                           "spielstandFettCheckBox"};
    for (int i = 0; i < 3; ++i) {
        c.bbFormatting[i] = named<QCheckBox>(boxNames[i], QLatin1StringView(boxTexts[i]));
        c.bbFormatting[i]->setChecked(true);
        formattingLayout->addWidget(c.bbFormatting[i]);
    }
    QGroupBox* colours = group("Farben (nur html)", 100, "farbenGroupBox");
    auto* coloursLayout = new QGridLayout(colours);
    coloursLayout->setVerticalSpacing(4);
    static const char* const colourNames[] = {"unentschieden", "gewonnen", "verloren"};
    for (int i = 0; i < 3; ++i) {
        const QString name = QLatin1StringView(colourNames[i]);
        c.scoreButton[i] = colourRow(coloursLayout, i, text(name), name, name, &c.scoreColour[i], &c.scoreSwatch[i]);
    }
    coloursLayout->setColumnStretch(2, 1);
    leftLayout->addWidget(formatting);
    leftLayout->addWidget(colours);
    leftLayout->addStretch();
    bbOnly << formatting;
    htmlOnly << colours;
    return left;
}

void ForumCodeWindow::buildButtons(QVBoxLayout* column) {
    auto* files = new QHBoxLayout;
    c.csv = widgets::button(u"Als CSV speichern..."_s, "csvButton");
    c.pdf = widgets::button(u"Als PDF speichern..."_s, "pdfButton");
    c.print = widgets::button(u"Drucken..."_s, "druckenButton");
    for (QPushButton* button : {c.csv, c.pdf, c.print}) {
        widgets::designSize(button, -1, 30);
        files->addWidget(button);
    }
    column->addLayout(files);
    c.copy = widgets::button(u"Text in Zwischenablage kopieren"_s, "kopierenButton");
    c.close = widgets::button(shown("Fenster schlie:sz:en"), "schliessenButton");
    for (QPushButton* button : {c.copy, c.close}) {
        widgets::designSize(button, -1, 30);
        column->addWidget(button);
    }
    connect(c.close, &QPushButton::clicked, this, &QDialog::close);
    connect(c.csv, &QPushButton::clicked, this, &ForumCodeWindow::saveCsv);
    connect(c.pdf, &QPushButton::clicked, this, &ForumCodeWindow::savePdf);
    connect(c.print, &QPushButton::clicked, this, &ForumCodeWindow::print);
}

} // namespace tavorin
