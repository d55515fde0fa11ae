#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// Small builders for widgets that groups and dialogs place by absolute geometry.
namespace widgets {

inline const QString lightGray = QStringLiteral("background-color:lightgray;");

// A button on `parent` at `geometry`, with `style` (light gray unless given) and an object name.
QPushButton* placedButton(QWidget* parent, const QString& text, const QRect& geometry, const char* objectName,
                          const QString& style = lightGray);

} // namespace widgets
