#pragma once

#include <QSize>
#include <QString>

class QPushButton;
class QTableView;
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

} // namespace widgets
