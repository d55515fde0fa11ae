#include "widgets.h"

#include <QPushButton>

namespace widgets {

QPushButton* placedButton(QWidget* parent, const QString& text, const QRect& geometry, const char* objectName,
                          const QString& style) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1StringView(objectName));
    button->setStyleSheet(style);
    button->setGeometry(geometry);
    return button;
}

} // namespace widgets
