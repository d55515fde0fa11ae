// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "league/membershippage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

MembershipPage::MembershipPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    w.league = new QComboBox(this);
    w.pool = new QTableView(this);
    w.search = new QLineEdit(this);
    w.members = new QTableView(this);
    w.assign = new QToolButton(this);
    w.remove = new QToolButton(this);
}
void MembershipPage::setListed(bool) {}
void MembershipPage::reloadPool() {}
void MembershipPage::fillMembers() {}
void MembershipPage::assign() {}
void MembershipPage::remove() {}
