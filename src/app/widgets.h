#pragma once

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QVariant>

class QAbstractItemModel;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTableView;
class QVBoxLayout;
class QWidget;

// Small builders and sizing rules shared by the pages and dialogs.
namespace widgets {

inline const QString lightGray = QStringLiteral("background-color:lightgray;");

// A button for a layout to place, with `style` (light gray unless given) and an object name.
QPushButton* button(const QString& text, const char* objectName, const QString& style = lightGray);

// Remembers the size `widget` is designed with (a width or height of -1 leaves that side to the layout).
// applyDesignSizes() fixes it, or the size its contents need when that is larger.
void designSize(QWidget* widget, int width, int height = -1);
// Fixes every widget below `root` that has a design size, the innermost first, so that a group keeps
// its designed size unless a caption in it would be cut off at the font in use.
void applyDesignSizes(QWidget* root);

// Widens every visible column of fixed width whose header caption would be cut off, and gives the table
// the smallest width at which every caption fits (the stretching columns at their captions' width).
void fitColumns(QTableView* table);

// Resizes the top-level `window` to `wanted`, though no larger than the available area of its screen
// (and no smaller than its minimum size).
void fitToScreen(QWidget* window, const QSize& wanted);

// A read-only list with alternating row colours over `model`.
QTableView* tableView(QAbstractItemModel* model, const QString& objectName);
// A column of fixed width `width` for a page's groups; `layout` receives its vertical layout.
QWidget* column(int width, const QString& objectName, QVBoxLayout** layout);
// A group box of designed height `height` with its title through the umlaut escapes.
QGroupBox* group(const QString& title, int height, const QString& objectName);
// Empties `box`, appends `entries` (text and data) and then signals its choice once, so that the views
// that follow it are filled once rather than for every entry appended.
void fillChoices(QComboBox* box, const QList<QPair<QString, QVariant>>& entries);
// The id (item data) of a selector's current item; 0 when it has none.
qint64 chosenId(const QComboBox* box);

} // namespace widgets
