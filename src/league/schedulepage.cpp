// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "league/schedulepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

SchedulePage::SchedulePage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    w.league = new QComboBox(this);
    w.returnRound = new QCheckBox(this);
    w.balance = new QCheckBox(this);
    w.members = new QLabel(this);
    w.matchDays = new QLabel(this);
    for (QPushButton** b : {&w.compute, &w.deleteSchedule, &w.deleteResults, &w.checkDuplicates, &w.deleteDuplicates,
                            &w.swap, &w.replace})
        *b = new QPushButton(this);
    w.schedule = new QTableView(this);
    w.replaceHome = new QComboBox(this);
    w.replaceAway = new QComboBox(this);
}
void SchedulePage::leagueChosen() {}
void SchedulePage::countMembers() {}
void SchedulePage::fillSchedule() {}
void SchedulePage::fillReplacements() {}
void SchedulePage::returnRoundChosen() {}
void SchedulePage::compute() {}
void SchedulePage::deleteSchedule() {}
void SchedulePage::deleteAllResults() {}
void SchedulePage::matchClicked() {}
void SchedulePage::swap() {}
void SchedulePage::replace() {}
void SchedulePage::checkDuplicates() {}
void SchedulePage::deleteDuplicates() {}
void SchedulePage::clearCounts() {}
