// The commands of the page "Spieltage".
#include "league/schedulepage.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "db/duplicates.h"
#include "league/schedule.h"
#include "models/matchlistmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

using tavorin::Id;

void SchedulePage::leagueChosen() {
    countMembers();
    fillSchedule();
}

void SchedulePage::countMembers() {
    if (w.league->currentIndex() < 0) {
        clearCounts(); // no league (any more)
        return;
    }
    const int count = context.store().memberCount(widgets::chosenId(w.league));
    if (context.readsFailing())
        return;
    firstRoundDays = tavorin::firstRoundMatchDays(count);
    w.members->setText(QString::number(count));
    w.matchDays->setText(QString::number(firstRoundDays));
}

void SchedulePage::clearCounts() {
    firstRoundDays = 0;
    w.members->clear();
    w.matchDays->clear();
}

void SchedulePage::returnRoundChosen() {
    w.matchDays->setText(QString::number(w.returnRound->isChecked() ? 2 * firstRoundDays : firstRoundDays));
}

void SchedulePage::fillSchedule() {
    model->showSchedule(widgets::chosenId(w.league));
    enableCommands();
}

void SchedulePage::enableCommands() {
    const bool empty = model->rowCount() == 0;
    createGroup->setEnabled(empty);
    deleteGroup->setEnabled(!empty);
}

void SchedulePage::compute() {
    const Id league = widgets::chosenId(w.league);
    const QList<Id> ids = context.store().memberIdsInOrder(league);
    if (context.readsFailing())
        return;
    QStringList members;
    for (Id id : ids)
        members.append(QString::number(id));
    const int days = tavorin::firstRoundMatchDays(int(members.size()));
    const QList<tavorin::ScheduleRow> rows =
        tavorin::generateSchedule(members, w.returnRound->isChecked(), w.balance->isChecked());

    // All rows of one computation are stored together or not at all; the bar follows the first round. A
    // maximum of 0 would turn it into a busy indicator that never stops.
    progress->setMaximum(qMax(days, 1));
    const bool stored = messages::writeSucceeded(context.store().storeSchedule(league, rows, [&](qsizetype i) {
        if (rows[i].matchDay <= days)
            progress->setValue(rows[i].matchDay);
    }));
    progress->setValue(0);
    if (stored && !rows.isEmpty())
        context.status(QStringLiteral("Spielplan mit %1 Spieltagen erstellt"),
                       QString::number(rows.constLast().matchDay));
}

void SchedulePage::deleteSchedule() {
    const Id league = widgets::chosenId(w.league);
    const QString name = w.league->currentText();
    // Results of a deleted schedule can no longer be reached: losing them is confirmed first.
    const int played = context.store().playedMatchCount(league);
    if (context.readsFailing())
        return;
    if (played > 0 &&
        !messages::ask(QStringLiteral("  F:ue:r die Liga ") + name + QStringLiteral(" sind ") +
                       QString::number(played) +
                       QStringLiteral(" Ergebnisse gespeichert. Soll der Spielplan trotzdem gel:oe:scht werden?  ")))
        return;
    if (context.backup(QStringLiteral("Spielplan l:oe:schen")) &&
        messages::writeSucceeded(context.store().deleteSchedule(league, played)))
        context.status(QStringLiteral("Spielplan der Liga %1 gel:oe:scht"), name);
}

void SchedulePage::deleteAllResults() {
    if (!messages::ask(QStringLiteral("  Sollen wirklich die Ergebnisse aller Ligen gel:oe:scht werden?  ")) ||
        !context.backup(QStringLiteral("Alle Ergebnisse l:oe:schen")))
        return;
    if (messages::writeSucceeded(context.store().deleteAllResults()))
        context.status(QStringLiteral("Alle Ergebnisse gel:oe:scht"), QString());
}

void SchedulePage::matchClicked() {
    const QModelIndex current = w.schedule->currentIndex();
    if (!current.isValid())
        return;
    const QString home = current.siblingAtColumn(2).data().toString();
    const QString away = current.siblingAtColumn(3).data().toString();
    for (QLabel* name : homeNames)
        name->setText(home);
    for (QLabel* name : awayNames)
        name->setText(away);
    fillReplacements();
}

void SchedulePage::fillReplacements() {
    const QList<tavorin::Member> members = context.store().members(widgets::chosenId(w.league));
    if (context.readsFailing())
        return;
    for (QComboBox* box : {w.replaceHome, w.replaceAway}) {
        box->clear();
        for (const tavorin::Member& m : members)
            box->addItem(tavorin::safeName(m.name1), m.player);
    }
}

Id SchedulePage::currentMatch() const {
    const QModelIndex current = w.schedule->currentIndex();
    if (!current.isValid()) {
        messages::show(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return 0;
    }
    return current.data(tavorin::models::IdRole).toLongLong();
}

void SchedulePage::swap() {
    const Id match = currentMatch();
    if (match == 0)
        return;
    const QModelIndex current = w.schedule->currentIndex();
    const Id home = current.siblingAtColumn(2).data(tavorin::models::PlayerRole).toLongLong();
    const Id away = current.siblingAtColumn(3).data(tavorin::models::PlayerRole).toLongLong();
    if (setPairing(match, away, home))
        context.status(QStringLiteral("Heim und Gast getauscht"), QString());
}

void SchedulePage::replace() {
    const Id match = currentMatch();
    if (match == 0)
        return;
    if (w.replaceHome->currentIndex() < 0 || w.replaceAway->currentIndex() < 0) {
        messages::show(3, QStringLiteral("  Es wurde kein Spieler ausgew:ae:hlt.  "));
        return;
    }
    if (context.backup(QStringLiteral("Spieler ersetzen")) &&
        setPairing(match, widgets::chosenId(w.replaceHome), widgets::chosenId(w.replaceAway)))
        context.status(QStringLiteral("Spieler ersetzt"), QString());
}

bool SchedulePage::setPairing(Id match, Id home, Id away) {
    // Refused when another organiser changed the players since the list showed them.
    const QModelIndex current = w.schedule->currentIndex();
    tavorin::MatchState seen;
    seen.exists = true;
    seen.home = current.siblingAtColumn(2).data(tavorin::models::PlayerRole).toLongLong();
    seen.away = current.siblingAtColumn(3).data(tavorin::models::PlayerRole).toLongLong();
    const bool stored = messages::writeSucceeded(context.store().setPairing(match, home, away, &seen));
    for (const QList<QLabel*>& names : {homeNames, awayNames}) {
        for (QLabel* name : names)
            name->clear();
    }
    return stored;
}

void SchedulePage::checkDuplicates() {
    const QList<Id> found = context.store().duplicateMatches();
    if (context.readsFailing())
        return;
    duplicates = found;
    duplicateReport->setText(tavorin::db::duplicateReport(duplicates));
    if (!duplicates.isEmpty()) {
        w.deleteDuplicates->show();
        w.checkDuplicates->setEnabled(false);
    }
}

void SchedulePage::deleteDuplicates() {
    // All matches are reduced together or not at all; after a failure the found state stays, so the
    // deletion can be tried again.
    if (!context.backup(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")) ||
        !messages::writeSucceeded(context.store().deleteDuplicateResults(duplicates)))
        return;
    context.status(QStringLiteral("Doppelte Datens:ae:tze gel:oe:scht"), QString());
    w.deleteDuplicates->hide();
    duplicates.clear();
    w.checkDuplicates->setEnabled(true);
}
