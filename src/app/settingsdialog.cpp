#include "app/settingsdialog.h"

#include "app/textescape.h"
#include "app/widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A group of caption rows: a right-aligned caption and a field beside it, each 160 wide unless the
// caption needs more.
QGridLayout* rows(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(2, 1);
    return grid;
}

QLineEdit* field(QGridLayout* grid, const QString& caption, const QString& text, const char* name) {
    const int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(160);
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QLatin1StringView(name));
    edit->setFixedWidth(160);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QRadioButton* radio(const QString& text, const char* name) {
    auto* button = new QRadioButton(text);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

using Widgets = SettingsDialog::Widgets;

QGroupBox* captionGroup(const tavorin::Captions& c, Widgets& w) {
    auto* group = new QGroupBox(QStringLiteral("  Bezeichnungen  "));
    QGridLayout* grid = rows(group);
    w.name1 = field(grid, QStringLiteral("Erster Name:"), c.name1, "name1LineEdit");
    w.name2 = field(grid, QStringLiteral("Zweiter Name:"), c.name2, "name2LineEdit");
    w.home = field(grid, QStringLiteral("Erster Spieler:"), c.heim, "heimLineEdit");
    w.away = field(grid, QStringLiteral("Zweiter Spieler:"), c.gast, "gastLineEdit");
    return group;
}

QGroupBox* pointsGroup(const tavorin::Points& p, Widgets& w) {
    auto* group = new QGroupBox(QStringLiteral("  Punktevergabe  "));
    QGridLayout* grid = rows(group);
    w.won = field(grid, QStringLiteral("Sieg:"), QString::number(p.gewonnen), "siegLineEdit");
    w.drawn = field(grid, QStringLiteral("Remis:"), QString::number(p.remis), "remisLineEdit");
    w.lost = field(grid, QStringLiteral("Niederlage:"), QString::number(p.verloren), "niederlageLineEdit");
    return group;
}

// The order of players level on points.
QGroupBox* levelGroup(tavorin::TieBreak order, Widgets& w) {
    auto* group = new QGroupBox(QStringLiteral("  Bei Punktgleichheit  "));
    group->setObjectName(QStringLiteral("punktgleichheitGroupBox"));
    auto* column = new QVBoxLayout(group);
    QRadioButton* legDifference = radio(QStringLiteral("Legdifferenz, dann gewonnene Legs"), "legdifferenzRadioButton");
    w.headToHead = radio(QStringLiteral("Direkter Vergleich, dann Legdifferenz, dann gewonnene Legs"),
                         "direkterVergleichRadioButton");
    column->addWidget(legDifference);
    column->addWidget(w.headToHead);
    (order == tavorin::TieBreak::HeadToHead ? w.headToHead : legDifference)->setChecked(true);
    return group;
}

// Which names the results list shows.
QGroupBox* displayGroup(const tavorin::Captions& c, Widgets& w) {
    auto* group = new QGroupBox(QStringLiteral("  Anzeige auf Ergebnisseite  "));
    auto* row = new QHBoxLayout(group);
    w.secondNames = radio(c.name2, "zweiterNameRadioButton");
    QRadioButton* firstNames = radio(c.name1, "ersterNameRadioButton");
    row->addSpacing(40);
    row->addWidget(w.secondNames, 1);
    row->addWidget(firstNames, 1);
    (c.anzeige ? w.secondNames : firstNames)->setChecked(true);
    return group;
}

} // namespace

SettingsDialog::SettingsDialog(const PageContext& context, QWidget* parent) : QDialog(parent), context(context) {
    setObjectName(QStringLiteral("einstellungenDialog"));
    setWindowTitle(QStringLiteral("Brenvik - Tavorin - Einstellungen"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(30, 20, 30, 10);
    column->addWidget(captionGroup(context.captions, w));
    column->addWidget(pointsGroup(context.points, w));
    column->addWidget(levelGroup(context.points.reihenfolge, w));
    column->addWidget(displayGroup(context.captions, w));

    QPushButton* cancel = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    w.store = widgets::button(QStringLiteral("Eintragen"), "eintragenButton");
    // Enter stores what was typed; only the button "Abbrechen" throws it away.
    cancel->setAutoDefault(false);
    w.store->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {cancel, w.store}) {
        button->setMinimumWidth(180);
        buttons->addWidget(button);
    }
    buttons->setSpacing(0);
    buttons->addStretch();
    column->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* note =
        new QLabel(tavorin::replaceUmlautEscapes(QStringLiteral(":Ae:nderungen werden erst nach Neustart wirksam!")));
    note->setAlignment(Qt::AlignCenter);
    column->addWidget(note);
    widgets::fitToScreen(this, QSize(520, 540));
}

tavorin::DialogValues SettingsDialog::store() {
    tavorin::DialogValues values;
    values.name1 = w.name1->text();
    values.name2 = w.name2->text();
    values.heim = w.home->text();
    values.gast = w.away->text();
    values.anzeige = w.secondNames->isChecked();
    values.gewonnen = w.won->text();
    values.remis = w.drawn->text();
    values.verloren = w.lost->text();
    values.reihenfolge = w.headToHead->isChecked() ? tavorin::TieBreak::HeadToHead : tavorin::TieBreak::LegDifference;
    tavorin::storeDialogValues(tavorin::configFilePath(context.settingsFolder), values);
    accept();
    return values;
}
