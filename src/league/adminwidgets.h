#pragma once

#include <QFont>
#include <QString>

#include "app/widgets.h"

class QAbstractItemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// Building blocks of the administration groups "Spielerverwaltung" and "Ligenverwaltung": sub-groups
// with caption rows and a button, laid out in a grid at their designed sizes.
namespace adminwidgets {

// A sub-group (normal font) with `rows` caption rows and a button row below them.
QGroupBox* subGroup(const QString& title, int rows, const QFont& font, const QString& objectName);
// The right-aligned caption of row `row`.
QLabel* caption(QGroupBox* group, int row, const QString& text);
// A line edit beside the caption of row `row`.
QLineEdit* field(QGroupBox* group, int row, const QString& objectName);
// A value label (bold) beside the caption of row `row`.
QLabel* value(QGroupBox* group, int row, const QFont& bold, const QString& objectName);
// The group's button below its rows, with `style`.
QPushButton* button(QGroupBox* group, int rows, const QString& text, const QString& style, const QString& objectName);
// The green three-line button that empties every field of an administration group.
QPushButton* clearButton(const QString& objectName);

// The administration group `title` (bold, designed 600 wide): the add, edit and delete sub-groups one below
// the other, the clear button beside the first.
QGroupBox* administrationGroup(const QString& title, const QString& objectName, const QFont& bold, QGroupBox* add,
                               QGroupBox* edit, QGroupBox* remove, QPushButton* clear);

// A list of players over `model`: the id column hidden, both name columns stretching.
QTableView* playerList(QAbstractItemModel* model, const QString& objectName);
// The search field above a player list; the list shows the players whose names contain its text.
QLineEdit* searchField(const QString& objectName);

inline const QString redButton = QStringLiteral("background-color:rgb(187,0,0); color:white;");

} // namespace adminwidgets
