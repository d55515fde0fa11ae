#include "adminwidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace adminwidgets {

namespace {
constexpr int firstRowY = 30;
constexpr int rowStep = 35;
constexpr int captionWidth = 160;
constexpr int inputWidth = 270;
constexpr int rowHeight = 25;

QGridLayout* grid(QGroupBox* group) {
    return static_cast<QGridLayout*>(group->layout());
}

// Places `widget` in `row` and `column` with the designed size; a longer caption widens it.
template <typename W> W* place(QGroupBox* group, W* widget, int row, int column, int width) {
    widgets::designSize(widget, width, rowHeight);
    grid(group)->addWidget(widget, row, column, Qt::AlignLeft);
    return widget;
}
} // namespace

QGroupBox* subGroup(const QString& title, int rows, const QFont& font, const QString& objectName) {
    auto* group = new QGroupBox(title);
    group->setObjectName(objectName);
    group->setFont(font);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(rowStep - rowHeight);
    layout->setRowStretch(rows + 1, 1);
    widgets::designSize(group, -1, firstRowY + (rows + 1) * rowStep);
    return group;
}

QLabel* caption(QGroupBox* group, int row, const QString& text) {
    auto* label = place(group, new QLabel(text), row, 0, captionWidth);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* field(QGroupBox* group, int row, const QString& objectName) {
    auto* edit = place(group, new QLineEdit, row, 1, inputWidth);
    edit->setObjectName(objectName);
    return edit;
}

QLabel* value(QGroupBox* group, int row, const QFont& bold, const QString& objectName) {
    auto* label = place(group, new QLabel, row, 1, inputWidth);
    label->setObjectName(objectName);
    label->setFont(bold);
    return label;
}

QPushButton* button(QGroupBox* group, int rows, const QString& text, const QString& style, const QString& objectName) {
    auto* b = place(group, new QPushButton(text), rows, 1, inputWidth);
    b->setObjectName(objectName);
    b->setStyleSheet(style);
    return b;
}

QPushButton* clearButton(const QString& objectName) {
    auto* b = new QPushButton(QStringLiteral("alle\nFelder\nleeren"));
    b->setObjectName(objectName);
    b->setStyleSheet(QStringLiteral("background-color:rgb(0,187,0); color:white; text-align:center;"));
    widgets::designSize(b, 80, 80);
    return b;
}

QTableView* playerList(QAbstractItemModel* model, const QString& objectName) {
    QTableView* view = widgets::tableView(model, objectName);
    view->hideColumn(0);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    return view;
}

QLineEdit* searchField(const QString& objectName) {
    auto* search = new QLineEdit;
    search->setObjectName(objectName);
    search->setPlaceholderText(QStringLiteral("Suchen") + QChar(0x2026));
    search->setClearButtonEnabled(true);
    return search;
}

QGroupBox* administrationGroup(const QString& title, const QString& objectName, const QFont& bold, QGroupBox* add,
                               QGroupBox* edit, QGroupBox* remove, QPushButton* clear) {
    auto* box = new QGroupBox(title);
    box->setObjectName(objectName);
    widgets::designSize(box, 600);
    box->setFont(bold);
    auto* grid = new QGridLayout(box);
    grid->addWidget(add, 0, 0);
    grid->addWidget(edit, 1, 0);
    grid->addWidget(remove, 2, 0);
    grid->addWidget(clear, 0, 1, Qt::AlignTop);
    grid->setRowStretch(3, 1);
    return box;
}

} // namespace adminwidgets
