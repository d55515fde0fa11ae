#include "widgets.h"

#include "app/textescape.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace widgets {

namespace {
const char* const designProperty = "designSize";
} // namespace

QPushButton* button(const QString& text, const char* objectName, const QString& style) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1StringView(objectName));
    b->setStyleSheet(style);
    return b;
}

void designSize(QWidget* widget, int width, int height) {
    widget->setProperty(designProperty, QSize(width, height));
}

void applyDesignSizes(QWidget* root) {
    // findChildren lists a parent before its children; a parent's need depends on its children's sizes.
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        const QVariant design = (*it)->property(designProperty);
        if (!design.isValid())
            continue;
        const QSize wanted = design.toSize();
        const QSize needed = (*it)->minimumSizeHint();
        if (wanted.width() > 0)
            (*it)->setFixedWidth(qMax(wanted.width(), needed.width()));
        if (wanted.height() > 0)
            (*it)->setFixedHeight(qMax(wanted.height(), needed.height()));
    }
}

void fitColumns(QTableView* table) {
    QHeaderView* header = table->horizontalHeader();
    int width = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const int caption = header->sectionSizeHint(column);
        const QHeaderView::ResizeMode mode = header->sectionResizeMode(column);
        if (mode == QHeaderView::Stretch || mode == QHeaderView::ResizeToContents) {
            width += caption;
        } else {
            header->resizeSection(column, qMax(header->sectionSize(column), caption));
            width += header->sectionSize(column);
        }
    }
    if (table->verticalHeader()->isVisible())
        width += table->verticalHeader()->sizeHint().width();
    width += 2 * table->frameWidth() + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    table->setMinimumWidth(width);
}

void fitToScreen(QWidget* window, const QSize& wanted) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    // Room for the window frame, which the available area must hold as well.
    const QSize room = screen->availableGeometry().size() - QSize(16, 40);
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSizeHint()));
}

QTableView* tableView(QAbstractItemModel* model, const QString& objectName) {
    auto* view = new QTableView;
    view->setObjectName(objectName);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    return view;
}

QWidget* column(int width, const QString& objectName, QVBoxLayout** layout) {
    auto* widget = new QWidget;
    widget->setObjectName(objectName);
    designSize(widget, width);
    *layout = new QVBoxLayout(widget);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return widget;
}

QGroupBox* group(const QString& title, int height, const QString& objectName) {
    auto* box = new QGroupBox(tavorin::replaceUmlautEscapes(title));
    box->setObjectName(objectName);
    designSize(box, -1, height);
    return box;
}

void fillChoices(QComboBox* box, const QList<QPair<QString, QVariant>>& entries) {
    {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const auto& [text, data] : entries)
            box->addItem(text, data);
    }
    emit box->currentIndexChanged(box->currentIndex());
}

qint64 chosenId(const QComboBox* box) {
    return box->currentData(Qt::UserRole).toLongLong();
}

} // namespace widgets
