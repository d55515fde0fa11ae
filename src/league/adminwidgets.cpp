#include "adminwidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace adminwidgets {

namespace {
constexpr int firstRowY = 30;
constexpr int rowStep = 35;
constexpr int captionX = 10;
constexpr int captionWidth = 160;
constexpr int inputX = 180;
constexpr int inputWidth = 270;
constexpr int rowHeight = 25;
} // namespace

QGroupBox* subGroup(const QString& title, int rows, const QFont& font, const QString& objectName) {
    auto* group = new QGroupBox(title);
    group->setObjectName(objectName);
    group->setFont(font);
    group->setFixedHeight(firstRowY + (rows + 1) * rowStep);
    return group;
}

QLabel* caption(QGroupBox* group, int row, const QString& text) {
    auto* label = new QLabel(text, group);
    label->setGeometry(captionX, firstRowY + row * rowStep, captionWidth, rowHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* field(QGroupBox* group, int row, const QString& objectName) {
    auto* edit = new QLineEdit(group);
    edit->setObjectName(objectName);
    edit->setGeometry(inputX, firstRowY + row * rowStep, inputWidth, rowHeight);
    return edit;
}

QLabel* value(QGroupBox* group, int row, const QFont& bold, const QString& objectName) {
    auto* label = new QLabel(group);
    label->setObjectName(objectName);
    label->setFont(bold);
    label->setGeometry(inputX, firstRowY + row * rowStep, inputWidth, rowHeight);
    return label;
}

QPushButton* button(QGroupBox* group, int rows, const QString& text, const QString& style, const QString& objectName) {
    auto* b = new QPushButton(text, group);
    b->setObjectName(objectName);
    b->setStyleSheet(style);
    b->setGeometry(inputX, firstRowY + rows * rowStep, inputWidth, rowHeight);
    return b;
}

QPushButton* clearButton(const QString& objectName) {
    auto* b = new QPushButton(QStringLiteral("alle\nFelder\nleeren"));
    b->setObjectName(objectName);
    b->setStyleSheet(QStringLiteral("background-color:rgb(0,187,0); color:white; text-align:center;"));
    b->setFixedSize(80, 80);
    return b;
}

} // namespace adminwidgets
