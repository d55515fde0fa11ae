// The forum-code windows: opening one on its league, and the slots of its options and buttons.
#include "app/mainwindow.h"
#include "app/widgets.h"
#include "db/leaguefiles.h"
#include "export/forumcodewindow.h"
#include "results/resultspage.h"
#include "results/standingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalMapper>

namespace {

// One mapper per option slot and window: every widget connected to it passes `nummer` on.
template <typename Sender, typename Signal, typename Slot>
void ueber(QObject* eltern, MainWindow* fenster, Slot slot, int nummer, const QList<Sender*>& sender, Signal signal) {
    auto* mapper = new QSignalMapper(eltern);
    for (Sender* s : sender) {
        mapper->setMapping(s, nummer);
        QObject::connect(s, signal, mapper, qOverload<>(&QSignalMapper::map));
    }
    QObject::connect(mapper, &QSignalMapper::mappedInt, fenster, slot);
}

// DatumAktualisieren numbers the windows differently: 1 is the statistics window, 2 the table window,
// 3 the schedule window. The mapping is its own inverse.
int datumFenster(int nummer) {
    return nummer == 1 ? 2 : nummer == 2 ? 1 : nummer;
}

} // namespace

void MainWindow::connectExportWindow(tavorin::ForumCodeWindow* w) {
    const tavorin::ForumCodeWindow::Controls& c = w->controls();
    const int fenster = w->kind().number();
    void (MainWindow::*const erstellen[])() = {&MainWindow::ForencodeErstellen, &MainWindow::StatistikcodeErstellen,
                                               &MainWindow::PlancodeErstellen};
    void (MainWindow::*const kopieren[])() = {&MainWindow::TextInZwischenablage, &MainWindow::TextInZwischenablage2,
                                              &MainWindow::TextInZwischenablage3};
    const auto neu = erstellen[fenster - 1];

    // The mappers belong to the window and go with it.
    ueber<QCheckBox>(w, this, &MainWindow::NameWaehlen, fenster, {c.name1, c.name2}, &QCheckBox::toggled);
    ueber<QCheckBox>(w, this, &MainWindow::DatumAktualisieren, w->kind().dateNumber, {c.date}, &QCheckBox::toggled);
    ueber<QComboBox>(w, this, &MainWindow::StaerkeWaehlen, fenster, {c.thickness}, &QComboBox::currentIndexChanged);
    ueber<QRadioButton>(w, this, &MainWindow::TabellenBreite, fenster, {c.percent, c.pixel}, &QRadioButton::clicked);
    ueber<QLineEdit>(w, this, &MainWindow::TabellenBreite, fenster, {c.width}, &QLineEdit::textChanged);
    ueber<QPushButton>(w, this, &MainWindow::FarbeWaehlen, w->kind().lineColourIndex, {c.lineButton},
                       &QPushButton::clicked);
    for (QRadioButton* format : {c.html, c.bbcode})
        connect(format, &QRadioButton::clicked, this, neu);
    connect(c.lineColour, &QLineEdit::textChanged, this, neu);
    connect(c.copy, &QPushButton::clicked, this, kopieren[fenster - 1]);

    // The slots that store an option rebuild the code themselves.
    if (c.alignment[0]) {
        ueber<QRadioButton>(w, this, &MainWindow::Exportausrichtung, fenster,
                            {c.alignment[0], c.alignment[1], c.alignment[2]}, &QRadioButton::clicked);
    }
    for (int i = 0; i < 3 && c.scoreColour[i]; ++i) {
        connect(c.bbFormatting[i], &QCheckBox::clicked, this, neu);
        connect(c.scoreColour[i], &QLineEdit::textChanged, this, neu);
        ueber<QPushButton>(w, this, &MainWindow::FarbeWaehlen, i + 1, {c.scoreButton[i]}, &QPushButton::clicked);
    }
}

void MainWindow::NameWaehlen(int fenster) {
    if (tavorin::ForumCodeWindow* w = openForumCode(fenster))
        w->storeNames();
}

void MainWindow::DatumAktualisieren(int nummer) {
    if (tavorin::ForumCodeWindow* w = openForumCode(datumFenster(nummer)))
        w->storeDate();
}

void MainWindow::StaerkeWaehlen(int fenster) {
    if (tavorin::ForumCodeWindow* w = openForumCode(fenster))
        w->storeThickness();
}

void MainWindow::TabellenBreite(int fenster) {
    if (tavorin::ForumCodeWindow* w = openForumCode(fenster))
        w->storeWidth();
}

void MainWindow::Exportausrichtung(int fenster) {
    if (tavorin::ForumCodeWindow* w = fenster == 1 || fenster == 2 ? openForumCode(fenster) : nullptr)
        w->storeAlignment();
}

void MainWindow::FarbeWaehlen(int index) {
    // Index 1 to 3: drawn, won, lost (window 3); 4 to 6: the lines of windows 3, 2 and 1.
    if (index < 1 || index > 6)
        return;
    if (tavorin::ForumCodeWindow* w = openForumCode(index <= 4 ? 3 : 7 - index))
        w->chooseColour(index);
}

void MainWindow::showForumCode(int fenster) {
    QComboBox* liga = exportLeague(fenster);
    tavorin::ForumCodeContext kontext;
    kontext.settings = &context.exports;
    kontext.configPath = tavorin::configFilePath(context.settingsFolder);
    kontext.captions = context.captions;
    kontext.today = context.today;
    kontext.platforms = context.platforms;
    kontext.points = context.points;
    kontext.session = session;
    kontext.league = widgets::chosenId(liga);
    kontext.leagueName = liga->currentText();
    kontext.fileFolder = files->fileFolder();
    tavorin::ForumCodeWindow w(tavorin::ForumCodeWindowKind::of(fenster), kontext, this);
    codeWindows[fenster - 1] = &w;
    w.writeCode();
    connectExportWindow(&w);
    w.exec();
}

void MainWindow::tabelleForencodeErstellen() {
    showForumCode(1);
}

void MainWindow::statistikForencodeErstellen() {
    showForumCode(2);
}

void MainWindow::tabelleSpielplanErstellen() {
    showForumCode(3);
}

tavorin::ForumCodeWindow* MainWindow::openForumCode(int fenster) const {
    return fenster >= 1 && fenster <= 3 ? codeWindows[fenster - 1].data() : nullptr;
}

QComboBox* MainWindow::exportLeague(int fenster) const {
    if (fenster == 1)
        return table->ui().league;
    return fenster == 2 ? statistics->ui().league : results->ui().league;
}

void MainWindow::ForencodeErstellen() {
    if (tavorin::ForumCodeWindow* w = openForumCode(1))
        w->writeCode();
}

void MainWindow::StatistikcodeErstellen() {
    if (tavorin::ForumCodeWindow* w = openForumCode(2))
        w->writeCode();
}

void MainWindow::PlancodeErstellen() {
    if (tavorin::ForumCodeWindow* w = openForumCode(3))
        w->writeCode();
}

void MainWindow::copyCode(int fenster) {
    if (const tavorin::ForumCodeWindow* w = openForumCode(fenster)) {
        w->copyCode();
        statusNote(QStringLiteral("Code in die Zwischenablage kopiert"));
    }
}

void MainWindow::TextInZwischenablage() {
    copyCode(1);
}

void MainWindow::TextInZwischenablage2() {
    copyCode(2);
}

void MainWindow::TextInZwischenablage3() {
    copyCode(3);
}
