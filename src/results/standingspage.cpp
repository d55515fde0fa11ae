// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "results/standingspage.h"

#include <QComboBox>
#include <QTableView>

StandingsPage::StandingsPage(const PageContext& context, Kind, QWidget* parent) : QWidget(parent), context(context) {
    w.league = new QComboBox(this);
    w.table = new QTableView(this);
}
void StandingsPage::fill() {}
