#include "results/resultform.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "results/numbers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tavorin::resultentry;

namespace {

// Headings of the form from top to bottom and the field each one heads; the doubles heading stands
// above both doubles fields.
const struct {
    const char* heading;
    Field field;
} formRows[] = {
    {"Legs", Legs},
    {"AVG", Average},
    {"First 9 AVG", First9Average},
    {"20-", Minus20},
    {"20+", Plus20},
    {"40+", Plus40},
    {"60+", Plus60},
    {"80+", Plus80},
    {"100+", Plus100},
    {"140+", Plus140},
    {"171+", Plus171},
    {"180", Count180},
    {"Highest Finish", HighestFinish},
    {"Doubles", DoublesHit},
    {"Best Leg", BestLeg},
};

// What each field may hold, as its tooltip and the warning about a wrong figure say it.
const char* const allowed[FieldCount] = {
    "eine ganze Zahl von 0 bis 99",
    "eine Zahl von 0 bis 180, mit Komma oder Punkt",
    "eine Zahl von 0 bis 180, mit Komma oder Punkt",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "0 oder eine ganze Zahl von 2 bis 170",
    "eine ganze Zahl, nicht gr:oe::sz:er als die W:ue:rfe auf ein Doppel",
    "eine ganze Zahl ab 0",
    "0 oder eine ganze Zahl ab 9",
};

// Object names of the fields, "ergebnisLinksLegsLineEdit" and so on.
const char* const fieldNames[FieldCount] = {
    "Legs",    "Avg",     "First9Avg", "Minus20",  "Plus20",        "Plus40",     "Plus60",        "Plus80",
    "Plus100", "Plus140", "Plus171",   "Count180", "HighestFinish", "DoublesHit", "DoublesThrown", "BestLeg"};

const QString markedWrong = QStringLiteral("border: 2px solid rgb(200,0,0);");

// A field's name as its heading shows it.
QString fieldName(Field f) {
    if (f == DoublesThrown)
        return QStringLiteral("Doubles (von)");
    for (const auto& r : formRows) {
        if (r.field == f)
            return QLatin1StringView(r.heading);
    }
    return QString();
}

// The field of figure `f` of the left (0) or right (1) player.
QLineEdit* resultField(int side, Field f) {
    auto* field = new QLineEdit;
    field->setAlignment(Qt::AlignCenter);
    field->setObjectName(QStringLiteral("ergebnis") + (side == 0 ? QStringLiteral("Links") : QStringLiteral("Rechts")) +
                         QLatin1StringView(fieldNames[f]) + QStringLiteral("LineEdit"));
    field->setToolTip(tavorin::replaceUmlautEscapes(QStringLiteral("Erlaubt: ") + QLatin1StringView(allowed[f]) +
                                                    QStringLiteral("; leer z:ae:hlt als 0.")));
    return field;
}

// A player's name above the form, centred.
QLabel* nameLabel(const char* objectName, const QFont& font) {
    auto* name = new QLabel;
    name->setObjectName(QLatin1StringView(objectName));
    name->setFont(font);
    name->setAlignment(Qt::AlignCenter);
    return name;
}

} // namespace

ResultForm::ResultForm(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    // One row per figure, the heading between the two players' fields, so that the whole form fits the
    // height of a laptop screen and of a large screen at scale factor 2.
    setObjectName(QStringLiteral("ergebnisFormularWidget"));
    widgets::designSize(this, 400);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    for (int column : {0, 2, 4, 6})
        grid->setColumnStretch(column, 1);

    w.leftName = nameLabel("nameLinksLabel", context.bold);
    w.rightName = nameLabel("nameRechtsLabel", context.bold);
    w.mirror = new QCheckBox(QStringLiteral("Eingabe spiegeln"));
    w.mirror->setObjectName(QStringLiteral("spiegelnCheckBox"));
    grid->addWidget(w.leftName, 0, 0, 1, 3);
    grid->addWidget(w.rightName, 0, 4, 1, 3);
    grid->addWidget(w.mirror, 1, 0, 1, 7, Qt::AlignHCenter);

    for (int side = 0; side < 2; ++side) {
        for (int f = 0; f < FieldCount; ++f) {
            w.fields[side][f] = resultField(side, Field(f));
            connect(w.fields[side][f], &QLineEdit::textEdited, this, [this] { edited = true; });
        }
    }
    int row = 2;
    for (const auto& r : formRows)
        addRow(grid, row++, QLatin1StringView(r.heading), r.field);

    w.insert = widgets::button(QStringLiteral("Ergebnis eintragen"), "ergebnisEintragenButton");
    w.update =
        widgets::button(tavorin::replaceUmlautEscapes(QStringLiteral("Ergebnis :ae:ndern")), "ergebnisAendernButton");
    for (QPushButton* button : {w.insert, w.update}) {
        widgets::designSize(button, -1, 25);
        grid->addWidget(button, row, 1, 1, 5);
    }
    w.update->hide();
    grid->setRowStretch(row + 1, 1); // the rows keep their height in a taller window
    setEnabled(false);
}

void ResultForm::addRow(QGridLayout* grid, int row, const QString& heading, Field f) {
    auto* label = new QLabel(heading);
    label->setAlignment(Qt::AlignCenter);
    grid->addWidget(label, row, 3);
    if (f != DoublesHit) {
        grid->addWidget(w.fields[0][f], row, 0, 1, 3);
        grid->addWidget(w.fields[1][f], row, 4, 1, 3);
        return;
    }
    // Doubles hit "von" doubles thrown, on each side.
    for (int side = 0; side < 2; ++side) {
        grid->addWidget(w.fields[side][DoublesHit], row, 4 * side);
        grid->addWidget(new QLabel(QStringLiteral(" von:")), row, 4 * side + 1);
        grid->addWidget(w.fields[side][DoublesThrown], row, 4 * side + 2);
    }
}

bool ResultForm::load(tavorin::Id match, const Side& home, const Side& away) {
    // The state first: a change between the two reads makes a save refused, never one that overwrites it.
    tavorin::MatchState state;
    QList<StoredSide> storedSides;
    {
        const tavorin::db::LeagueStore::Hold open(context.store());
        state = context.store().matchState(match);
        storedSides = context.store().results(match);
    }
    if (context.readsFailing())
        return false;
    if (!state.exists) {
        reset(); // the match is gone since the list was read
        return false;
    }
    // The players the list shows count as loaded: a pairing changed since the list was read refuses a save.
    state.home = home.player;
    state.away = away.player;
    loaded = state;
    forgetImport(); // an import belongs to the match it was taken over for
    shown = match;
    sides = w.mirror->isChecked() ? std::array<Side, 2>{away, home} : std::array<Side, 2>{home, away};
    w.leftName->setText(sides[0].name);
    w.rightName->setText(sides[1].name);
    clearFields();
    bool found = false;
    for (const StoredSide& row : storedSides) {
        const tavorin::Id player = row.playerId.toLongLong();
        const int side = player == sides[0].player ? 0 : player == sides[1].player ? 1 : -1;
        if (side < 0)
            continue; // the row of a player replaced since
        for (int f = 0; f < FieldCount; ++f)
            w.fields[side][f]->setText(row.texts[f]);
        found = true;
    }
    setStored(found);
    edited = false;
    setEnabled(true);
    return true;
}

void ResultForm::reset() {
    forgetImport();
    shown = 0;
    loaded = {};
    edited = false;
    sides = {};
    w.leftName->clear();
    w.rightName->clear();
    clearFields();
    setEnabled(false);
}

void ResultForm::clearFields() {
    for (const auto& side : w.fields) {
        for (QLineEdit* field : side) {
            field->clear();
            field->setStyleSheet(QString());
        }
    }
}

bool ResultForm::check(const SideTexts& left, const SideTexts& right) {
    QString first;
    for (int side = 0; side < 2; ++side) {
        const SideTexts& texts = side == 0 ? left : right;
        for (int i = 0; i < FieldCount; ++i) {
            const Field f = Field(i);
            const bool possible = possibleField(texts, f);
            w.fields[side][f]->setStyleSheet(possible ? QString() : markedWrong);
            if (possible || !first.isEmpty())
                continue;
            first = QStringLiteral("  Das Feld \"%1\" von %2 enth:ae:lt keinen m:oe:glichen Wert. Erlaubt ist %3; "
                                   "ein leeres Feld z:ae:hlt als 0.  ")
                        .arg(fieldName(f), sides[side].name, QLatin1StringView(allowed[f]));
        }
    }
    if (first.isEmpty())
        return true;
    messages::show(3, first);
    return false;
}

void ResultForm::save() {
    if (!writable)
        return; // Enter in a field of a form that may not save
    if (shown == 0) {
        messages::show(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return;
    }
    SideTexts left;
    SideTexts right;
    for (int f = 0; f < FieldCount; ++f) {
        left[f] = w.fields[0][f]->text();
        right[f] = w.fields[1][f]->text();
    }
    if (!check(left, right))
        return; // nothing is saved, and what was typed stays for correcting
    if (tavorin::textToInt(left[Legs]) == 0 && tavorin::textToInt(right[Legs]) == 0) {
        messages::show(3, QStringLiteral("  Es ist kein g:ue:ltiger Spielstand eingegeben worden!  "));
        return;
    }
    // A saved result is announced, and the page loads the form anew from the league; after a failed save
    // the typed figures stay in the form for another try.
    const SaveContext save{stored, shown, sides[0].player, sides[1].player, importGame, importPlatform};
    const tavorin::db::Result saved = context.store().saveResult(save, left, right, context.points, &loaded);
    if (saved.conflict && !saved.retryable) {
        reportConflict(saved.error, left, right);
        return;
    }
    if (!messages::writeSucceeded(saved))
        return;
    // The next save updates the rows, also when they could not be read again: it never adds a second pair.
    if (shown != 0)
        setStored(true);
    context.status(QStringLiteral("Ergebnis gespeichert"), QString());
}

void ResultForm::reportConflict(const QString& what, const SideTexts& left, const SideTexts& right) {
    QStringList typed;
    for (int side = 0; side < 2; ++side) {
        const SideTexts& texts = side == 0 ? left : right;
        QStringList figures;
        for (const auto& r : formRows) {
            QString figure = fieldName(r.field) + QStringLiteral(" ") + texts[r.field];
            if (r.field == DoublesHit)
                figure += QStringLiteral(" von ") + texts[DoublesThrown];
            figures << figure.trimmed();
        }
        typed << sides[side].name + QStringLiteral(": ") + figures.join(QStringLiteral(", "));
    }
    messages::show(3,
                   QStringLiteral("  Das Ergebnis wurde nicht gespeichert. ") + what +
                       QStringLiteral(" Das Formular zeigt jetzt den gespeicherten Stand.  "),
                   QStringLiteral("Ihre Eingabe:\n") + typed.join(QLatin1Char('\n')));
    emit matchChangedElsewhere();
}

void ResultForm::setWritable(bool on) {
    writable = on;
    for (const auto& side : w.fields) {
        for (QLineEdit* field : side)
            field->setReadOnly(!on);
    }
    w.insert->setEnabled(on);
    w.update->setEnabled(on);
}

void ResultForm::setStored(bool rows) {
    stored = rows;
    w.update->setVisible(rows);
    w.insert->setVisible(!rows);
}

void ResultForm::takeOver(const std::array<SideTexts, 2>& figures, const QString& gameId, const QString& platform) {
    clearFields();
    for (int side = 0; side < 2; ++side) {
        for (int f = 0; f < FieldCount; ++f)
            w.fields[side][f]->setText(figures[side][f]);
    }
    importGame = gameId;
    importPlatform = platform;
    edited = true;
}

void ResultForm::forgetImport() {
    importGame.clear();
    importPlatform.clear();
}
