#pragma once

#include "app/pagecontext.h"
#include "results/resultentry.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The result form of page "Ergebnisse": the two players of the match chosen in the results list, each
// figure on one row between their fields, the mirror box and the save buttons. It holds the match it
// shows: its id, its players (left and right, by the mirror box), whether results are stored, and the game
// of an import taken over for its next save.
class ResultForm : public QWidget {
    Q_OBJECT

public:
    explicit ResultForm(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QLabel* leftName = nullptr;    // nameLinksLabel
        QLabel* rightName = nullptr;   // nameRechtsLabel
        QCheckBox* mirror = nullptr;   // spiegelnCheckBox; clicked -> tabelleErgSTanklicken
        QPushButton* insert = nullptr; // ergebnisEintragenButton -> ErgebnisEintragen
        QPushButton* update = nullptr; // ergebnisAendernButton -> ErgebnisEintragen
        std::array<std::array<QLineEdit*, tavorin::resultentry::FieldCount>, 2> fields{}; // Enter -> ErgebnisEintragen
    };
    const Widgets& ui() const { return w; }

    // One player of the match to show: id, the name the list shows, the platform name.
    struct Side {
        tavorin::Id player = 0;
        QString name;
        QString platformName;
    };
    // Shows match `match` with its home and away player (on the sides the mirror box chooses) and fills the
    // fields from the stored results; false (the form as it was) when the read failed.
    bool load(tavorin::Id match, const Side& home, const Side& away);
    // Empties and disables the form and forgets its match.
    void reset();
    void clearFields();
    // Saves the typed figures (ErgebnisEintragen): refused with a message when a figure is impossible or no
    // legs are typed; the typed figures stay after a refused or failed save.
    void save();

    tavorin::Id match() const { return shown; }
    // The players' platform names and captions as the import window compares and shows them.
    QString leftPlatformName() const { return sides[0].platformName; }
    QString rightPlatformName() const { return sides[1].platformName; }
    // Takes over an import's figures (left and right) and remembers its game for the next save.
    void takeOver(const std::array<tavorin::resultentry::SideTexts, 2>& figures, const QString& gameId,
                  const QString& platform);
    // Forgets the game of an import (another match, a new import window).
    void forgetImport();
    // Whether figures were typed or taken over since the match was loaded.
    bool isEdited() const { return edited; }
    // Off for a user who may only read the league: the fields cannot be changed and nothing is saved.
    void setWritable(bool writable);

signals:
    // A save was refused because another organiser changed the match since it was loaded: the match is to
    // be loaded again.
    void matchChangedElsewhere();

private:
    // The row of one figure: the left player's field, the heading, the right player's field.
    void addRow(QGridLayout* grid, int row, const QString& heading, tavorin::resultentry::Field f);
    // Whether the match has stored rows, and the save button that says so.
    void setStored(bool rows);
    // Marks every field whose text is no possible figure and names the first one in a warning.
    bool check(const tavorin::resultentry::SideTexts& left, const tavorin::resultentry::SideTexts& right);
    // Tells of a save refused for another organiser's change, with the figures that were typed.
    void reportConflict(const QString& what, const tavorin::resultentry::SideTexts& left,
                        const tavorin::resultentry::SideTexts& right);

    const PageContext& context;
    Widgets w;
    tavorin::Id shown = 0;
    std::array<Side, 2> sides;  // left and right
    bool stored = false;        // the match has stored rows: a save updates them
    tavorin::MatchState loaded; // the match as it was loaded: a save is refused when it changed since
    bool edited = false;
    bool writable = true;
    QString importGame;
    QString importPlatform;
};
