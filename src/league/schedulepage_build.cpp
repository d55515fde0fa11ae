// The widgets of the page "Spieltage": a column of league, key figures and commands, the schedule, and a
// column with the groups that change a match's players.
#include "league/schedulepage.h"

#include "app/settings.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "league/adminwidgets.h"
#include "models/matchlistmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using tavorin::replaceUmlautEscapes;

namespace {

QLabel* centred(const QString& text, const QString& style = QString()) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    if (!style.isEmpty())
        l->setStyleSheet(style);
    return l;
}

// A name in a frame, as wide as half of its group.
QLabel* nameField(const char* objectName, const QFont& bold) {
    QLabel* l = centred(QString(), QStringLiteral("border:1px solid gray;"));
    l->setObjectName(QLatin1StringView(objectName));
    l->setFont(bold);
    widgets::designSize(l, 185, 25);
    return l;
}

// A button centred in its row, 200 wide unless its caption needs more.
QPushButton* centredButton(QGridLayout* grid, int row, const QString& text, const char* objectName) {
    QPushButton* b = widgets::button(text, objectName);
    widgets::designSize(b, 200, 25);
    grid->addWidget(b, row, 0, 1, 2, Qt::AlignHCenter);
    return b;
}

// "Heimrecht ausgleichen", as chosen last.
QCheckBox* balanceBox(bool checked) {
    auto* box = new QCheckBox(QStringLiteral("Heimrecht ausgleichen"));
    box->setObjectName(QStringLiteral("heimrechtCheckBox"));
    box->setToolTip(replaceUmlautEscapes(QStringLiteral(
        "Jeder Spieler wechselt so gleichm:ae::sz:ig wie m:oe:glich zwischen Heim- und Ausw:ae:rtsspielen.")));
    box->setChecked(checked);
    return box;
}

// The red note that hand-made pairings are not checked.
QLabel* pairingWarning() {
    QLabel* warning = centred(
        replaceUmlautEscapes(QStringLiteral("ACHTUNG! Beim manuellen :Ae:ndern der Spielerpaarungen ist selbst\n"
                                            "darauf zu achten, dass die Plausibilit:ae:t erhalten bleibt.")),
        QStringLiteral("color:rgb(187,0,0);"));
    warning->setObjectName(QStringLiteral("paarungWarnungLabel"));
    QFont smaller = warning->font();
    smaller.setPixelSize(10); // both lines of the warning fit the group's width
    warning->setFont(smaller);
    return warning;
}

} // namespace

SchedulePage::SchedulePage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    const tavorin::Captions& c = context.captions;
    model = new tavorin::models::MatchListModel(*context.session, tavorin::models::MatchListModel::Kind::Schedule,
                                                {QStringLiteral("id"), QStringLiteral("Spieltag"), c.heim, c.gast,
                                                 QStringLiteral("heimId"), QStringLiteral("gastId")},
                                                false, this);

    auto* row = new QHBoxLayout(this);
    QVBoxLayout* left = nullptr;
    row->addWidget(widgets::column(300, QStringLiteral("spieltageSpalteWidget"), &left));
    QGroupBox* leagueGroup =
        widgets::group(QStringLiteral("  Liga ausw:ae:hlen  "), 80, QStringLiteral("spieltageLigaGroupBox"));
    w.league = new QComboBox;
    w.league->setObjectName(QStringLiteral("spieltageLigaComboBox"));
    (new QVBoxLayout(leagueGroup))->addWidget(w.league);
    left->addWidget(leagueGroup);
    left->addWidget(buildKeyFigures());
    buildCommands(left);
    left->addWidget(buildDuplicates());
    left->addStretch();

    row->addSpacing(20);
    row->addWidget(buildSchedule());
    row->addSpacing(20);
    QVBoxLayout* right = nullptr;
    row->addWidget(widgets::column(400, QStringLiteral("spieltageRechtsWidget"), &right));
    buildPairings(right);

    connect(model, &QAbstractItemModel::rowsInserted, this, &SchedulePage::enableCommands);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &SchedulePage::enableCommands);
    connect(model, &QAbstractItemModel::modelReset, this, &SchedulePage::enableCommands);
    enableCommands();
}

QGroupBox* SchedulePage::buildKeyFigures() {
    QGroupBox* group = widgets::group(QStringLiteral("  Kenndaten  "), 80, QStringLiteral("kenndatenGroupBox"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    w.returnRound = new QCheckBox(replaceUmlautEscapes(QStringLiteral("mit R:ue:ckrunde")));
    w.returnRound->setObjectName(QStringLiteral("rueckrundeCheckBox"));
    grid->addWidget(w.returnRound, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Mitspieler:")), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("resultierende Spieltage:")), 2, 0);
    w.members = new QLabel;
    w.members->setObjectName(QStringLiteral("mitspielerLabel"));
    w.matchDays = new QLabel;
    w.matchDays->setObjectName(QStringLiteral("resultierendeSpieltageLabel"));
    grid->addWidget(w.members, 1, 1);
    grid->addWidget(w.matchDays, 2, 1);
    grid->setColumnStretch(1, 1);
    for (QLabel* value : {w.members, w.matchDays})
        value->setFont(context.bold);
    return group;
}

void SchedulePage::buildCommands(QVBoxLayout* column) {
    createGroup =
        widgets::group(QStringLiteral("  Spielplan erstellen  "), 80, QStringLiteral("spielplanErstellenGroupBox"));
    // Who plays at home is part of how a schedule is computed; the choice is kept for the next league.
    w.balance = balanceBox(context.balanceHomeAway);
    w.compute = widgets::button(QStringLiteral("Spielplan berechnen"), "spielplanBerechnenButton");
    progress = new QProgressBar;
    progress->setObjectName(QStringLiteral("spielplanProgressBar"));
    progress->setTextVisible(false);
    progress->setFixedHeight(14);
    progress->setValue(0);
    auto* create = new QVBoxLayout(createGroup);
    create->addWidget(w.balance);
    create->addWidget(w.compute);
    create->addWidget(progress);

    deleteGroup =
        widgets::group(QStringLiteral("  Spielplan l:oe:schen  "), 80, QStringLiteral("spielplanLoeschenGroupBox"));
    w.deleteSchedule = widgets::button(replaceUmlautEscapes(QStringLiteral("Spielplan l:oe:schen")),
                                       "spielplanLoeschenButton", adminwidgets::redButton);
    (new QVBoxLayout(deleteGroup))->addWidget(w.deleteSchedule);

    QGroupBox* results =
        widgets::group(QStringLiteral("  Ergebnisse L:oe:schen  "), 80, QStringLiteral("ergebnisseLoeschenGroupBox"));
    w.deleteResults =
        widgets::button(replaceUmlautEscapes(QStringLiteral("Alle Ergebnisse l:oe:schen")), "ergebnisseLoeschenButton",
                        QStringLiteral("background-color:lightgray; color:rgb(178,0,0);"));
    (new QVBoxLayout(results))->addWidget(w.deleteResults);
    for (QGroupBox* group : {createGroup, deleteGroup, results})
        column->addWidget(group);

    const QString config = tavorin::configFilePath(context.settingsFolder);
    connect(w.balance, &QCheckBox::clicked, this,
            [config](bool balance) { tavorin::storeHomeAwayBalance(config, balance); });
}

QGroupBox* SchedulePage::buildDuplicates() {
    QGroupBox* group = widgets::group(QStringLiteral("  Doppelte Eintr:ae:ge suchen  "), 182,
                                      QStringLiteral("doppelteEintraegeGroupBox"));
    w.checkDuplicates =
        widgets::button(replaceUmlautEscapes(QStringLiteral("Datenbank pr:ue:fen")), "datenbankPruefenButton");
    duplicateReport = new QLabel;
    duplicateReport->setObjectName(QStringLiteral("doppelteErgebnisLabel"));
    duplicateReport->setWordWrap(true);
    w.deleteDuplicates = widgets::button(replaceUmlautEscapes(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")),
                                         "doppelteLoeschenButton");
    w.deleteDuplicates->hide();

    auto* column = new QVBoxLayout(group);
    column->addWidget(w.checkDuplicates);
    column->addWidget(duplicateReport);
    column->addStretch();
    column->addWidget(w.deleteDuplicates);
    return group;
}

QTableView* SchedulePage::buildSchedule() {
    w.schedule = widgets::tableView(model, QStringLiteral("spielplanTableWidget"));
    w.schedule->verticalHeader()->hide();
    for (int column : {0, 4, 5})
        w.schedule->hideColumn(column);
    w.schedule->setColumnWidth(1, 50);
    w.schedule->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    w.schedule->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    return w.schedule;
}

void SchedulePage::buildPairings(QVBoxLayout* column) {
    QGroupBox* swapGroup =
        widgets::group(QStringLiteral("  Spieler tauschen  "), 160, QStringLiteral("spielerTauschenGroupBox"));
    auto* swapGrid = new QGridLayout(swapGroup);
    swapGrid->addWidget(centred(context.captions.heim), 0, 0);
    swapGrid->addWidget(centred(context.captions.gast), 0, 1);
    homeNames = {nameField("tauschHeimLabel", context.bold), nameField("ersetzenHeimLabel", context.bold)};
    awayNames = {nameField("tauschGastLabel", context.bold), nameField("ersetzenGastLabel", context.bold)};
    swapGrid->addWidget(homeNames[0], 1, 0);
    swapGrid->addWidget(awayNames[0], 1, 1);
    swapGrid->setRowMinimumHeight(2, 10);
    w.swap = centredButton(swapGrid, 3, QStringLiteral("Spieler tauschen"), "spielerTauschenButton");

    QGroupBox* replaceGroup =
        widgets::group(QStringLiteral("  Spieler manuell :ae:ndern  "), 200, QStringLiteral("spielerErsetzenGroupBox"));
    auto* grid = new QGridLayout(replaceGroup);
    grid->addWidget(pairingWarning(), 0, 0, 1, 2);
    grid->addWidget(homeNames[1], 1, 0);
    grid->addWidget(awayNames[1], 1, 1);
    grid->addWidget(centred(QStringLiteral("ersetzen durch:")), 2, 0, 1, 2);
    w.replaceHome = new QComboBox;
    w.replaceHome->setObjectName(QStringLiteral("ersatzHeimComboBox"));
    w.replaceAway = new QComboBox;
    w.replaceAway->setObjectName(QStringLiteral("ersatzGastComboBox"));
    grid->addWidget(w.replaceHome, 3, 0);
    grid->addWidget(w.replaceAway, 3, 1);
    w.replace = centredButton(grid, 4, QStringLiteral("Spieler Ersetzen"), "spielerErsetzenButton");

    column->addWidget(swapGroup);
    column->addWidget(replaceGroup);
    column->addStretch();
}
