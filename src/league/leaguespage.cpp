// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "league/leaguespage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

LeaguesPage::LeaguesPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    w.leagues = new QTableView(this);
    w.newName = new QLineEdit(this);
    w.editName = new QLineEdit(this);
    w.deleteName = new QLabel(this);
    w.add = new QPushButton(this);
    w.edit = new QPushButton(this);
    w.remove = new QPushButton(this);
    w.clear = new QPushButton(this);
}
void LeaguesPage::reload() {}
void LeaguesPage::select() {}
void LeaguesPage::add() {}
void LeaguesPage::edit() {}
void LeaguesPage::remove() {}
void LeaguesPage::clearFields() {}
void LeaguesPage::clearSelection() {}
