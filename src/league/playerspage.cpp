// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "league/playerspage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

PlayersPage::PlayersPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    w.players = new QTableView(this);
    w.search = new QLineEdit(this);
    w.newName1 = new QLineEdit(this);
    w.newName2 = new QLineEdit(this);
    w.editName1 = new QLineEdit(this);
    w.editName2 = new QLineEdit(this);
    w.deleteName1 = new QLabel(this);
    w.deleteName2 = new QLabel(this);
    w.add = new QPushButton(this);
    w.edit = new QPushButton(this);
    w.remove = new QPushButton(this);
    w.clear = new QPushButton(this);
}
void PlayersPage::setListed(bool) {}
void PlayersPage::reload() {}
void PlayersPage::select() {}
void PlayersPage::add() {}
void PlayersPage::edit() {}
void PlayersPage::remove() {}
void PlayersPage::clearFields() {}
void PlayersPage::clearSelection() {}
