#include "league/membershippage.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "league/adminwidgets.h"
#include "league/withdrawaldialog.h"
#include "models/namefilterproxy.h"
#include "models/playerlistmodel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <set>

using tavorin::Id;
using tavorin::models::NameFilterProxy;
using tavorin::models::PlayerListModel;

namespace {

const QString nothingToMove = QStringLiteral(" Es ist kein Spieler zum Verschieben ausgew:ae:hlt!");

// A head row of designed height 50 above a list; `layout` receives its row.
QWidget* head(QHBoxLayout** layout) {
    auto* widget = new QWidget;
    widgets::designSize(widget, -1, 50);
    *layout = new QHBoxLayout(widget);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return widget;
}

QLabel* largeLabel(const QString& text, const QFont& large) {
    auto* label = new QLabel(text);
    label->setFont(large);
    return label;
}

QToolButton* arrow(Qt::ArrowType type, const QString& objectName) {
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setArrowType(type);
    button->setFixedSize(60, 30);
    return button;
}

// The column between the lists with the arrow that assigns and the one that takes out.
QWidget* arrows(MembershipPage::Widgets& w) {
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("pfeilSpalteWidget"));
    widgets::designSize(column, 80);
    w.assign = arrow(Qt::RightArrow, QStringLiteral("zuordnenToolButton"));
    w.remove = arrow(Qt::LeftArrow, QStringLiteral("austragenToolButton"));
    auto* layout = new QVBoxLayout(column);
    layout->addStretch();
    layout->addWidget(w.assign, 0, Qt::AlignHCenter);
    layout->addSpacing(20);
    layout->addWidget(w.remove, 0, Qt::AlignHCenter);
    layout->addStretch();
    return column;
}

// The ids in `role` of the selected rows of `view`, top to bottom, else that of its current row. Rows the
// search hides are not in the view's model, and so never chosen.
QList<Id> chosenIds(const QTableView* view, int role) {
    std::set<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty() && view->currentIndex().isValid())
        rows.insert(view->currentIndex().row());
    QList<Id> ids;
    for (int row : rows)
        ids.append(view->model()->index(row, 0).data(role).toLongLong());
    return ids;
}

// Below the members: the withdrawn players and the two buttons.
QWidget* withdrawalRow(MembershipPage::Widgets& w) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    w.withdrawn = new QLabel;
    w.withdrawn->setObjectName(QStringLiteral("rueckzugLabel"));
    w.withdrawn->setWordWrap(true);
    w.withdraw = widgets::button(tavorin::replaceUmlautEscapes(QStringLiteral("R:ue:ckzug...")), "rueckzugButton");
    w.undoWithdraw =
        widgets::button(tavorin::replaceUmlautEscapes(QStringLiteral("R:ue:ckzug aufheben")), "rueckzugAufhebenButton");
    layout->addWidget(w.withdrawn, 1);
    layout->addWidget(w.withdraw);
    layout->addWidget(w.undoWithdraw);
    return row;
}

} // namespace

MembershipPage::MembershipPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    const QStringList headers{QStringLiteral("id"), context.captions.name1, context.captions.name2};
    poolModel = new PlayerListModel(*context.session, PlayerListModel::Source::Pool, headers, this);
    poolProxy = new NameFilterProxy(this);
    poolProxy->setSourceModel(poolModel);
    memberModel = new PlayerListModel(*context.session, PlayerListModel::Source::League, headers, this);
    w.pool = adminwidgets::playerList(poolProxy, QStringLiteral("spielerpoolTableWidget"));
    w.members = adminwidgets::playerList(memberModel, QStringLiteral("mitgliederTableWidget"));
    for (QTableView* view : {w.pool, w.members})
        view->setSelectionBehavior(QAbstractItemView::SelectRows); // several players move at once
    w.search = adminwidgets::searchField(QStringLiteral("poolFilterLineEdit"));
    connect(w.search, &QLineEdit::textChanged, poolProxy, &NameFilterProxy::setSearchText);
    w.league = new QComboBox;
    w.league->setObjectName(QStringLiteral("zuordnungLigaComboBox"));

    auto* grid = new QGridLayout(this);
    QHBoxLayout* poolHead = nullptr;
    grid->addWidget(head(&poolHead), 0, 0);
    poolHead->addWidget(largeLabel(QStringLiteral("Spielerpool"), context.large));
    poolHead->addWidget(w.search);
    grid->addWidget(arrows(w), 0, 1, 2, 1);
    QHBoxLayout* leagueHead = nullptr;
    grid->addWidget(head(&leagueHead), 0, 2);
    QLabel* league = largeLabel(QStringLiteral("Liga:"), context.large);
    widgets::designSize(league, 60, 50);
    leagueHead->addWidget(league);
    leagueHead->addWidget(w.league, 1);
    grid->addWidget(w.pool, 1, 0);
    grid->addWidget(w.members, 1, 2);
    grid->addWidget(withdrawalRow(w), 2, 2);
    connect(w.withdraw, &QPushButton::clicked, this, &MembershipPage::withdraw);
    connect(w.undoWithdraw, &QPushButton::clicked, this, &MembershipPage::undoWithdrawal);
    connect(context.session, &tavorin::db::LeagueSession::changed, this, [this](const tavorin::db::StoreChange& c) {
        if (c.concernsLeague(widgets::chosenId(w.league), tavorin::db::StoreChange::Members))
            showWithdrawals();
    });
}

void MembershipPage::setListed(bool shown) {
    poolModel->setActive(shown);
}

void MembershipPage::reloadPool() {
    poolModel->reload();
}

void MembershipPage::fillMembers() {
    memberModel->setLeague(widgets::chosenId(w.league));
    showWithdrawals();
}

void MembershipPage::showWithdrawals() {
    const QList<tavorin::withdrawal::Withdrawal> out = context.store().withdrawals(widgets::chosenId(w.league));
    if (context.readsFailing())
        return;
    QStringList listed;
    for (const tavorin::withdrawal::Withdrawal& p : out)
        listed << QStringLiteral("%1 (ab Spieltag %2, %3)")
                      .arg(tavorin::standingsName(p.name1, p.name2))
                      .arg(p.fromDay)
                      .arg(p.rule == tavorin::withdrawal::Rule::Annul ? QStringLiteral("annulliert")
                                                                      : QStringLiteral("kampflos"));
    w.withdrawn->setText(tavorin::withdrawal::withdrawnLine(listed));
}

Id MembershipPage::chosenMember() const {
    const QList<Id> players = chosenIds(w.members, tavorin::models::IdRole);
    if (players.size() != 1)
        messages::show(3, QStringLiteral("  Bitte w:ae:hlen Sie genau einen Spieler der Liga aus.  "));
    return players.size() == 1 ? players.first() : 0;
}

void MembershipPage::withdraw() {
    const Id league = widgets::chosenId(w.league), player = chosenMember();
    if (player == 0)
        return;
    const QList<int> days = context.store().matchDays(league);
    const tavorin::Player p = context.store().player(player);
    if (context.readsFailing())
        return;
    WithdrawalDialog dialog(tavorin::standingsName(p.name1, p.name2), days.isEmpty() ? 1 : days.last(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (messages::writeSucceeded(context.store().withdraw(league, player, dialog.fromDay(), dialog.rule())))
        context.status(QStringLiteral("%1 hat sich aus der Liga zur:ue:ckgezogen"), p.name1);
}

void MembershipPage::undoWithdrawal() {
    const Id league = widgets::chosenId(w.league), player = chosenMember();
    if (player == 0)
        return;
    const QList<tavorin::withdrawal::Withdrawal> out = context.store().withdrawals(league);
    if (context.readsFailing())
        return;
    if (!tavorin::withdrawal::isWithdrawn(QString::number(player), out)) {
        messages::show(3, QStringLiteral("  Der Spieler hat sich nicht aus der Liga zur:ue:ckgezogen.  "));
        return;
    }
    if (messages::writeSucceeded(context.store().undoWithdrawal(league, player)))
        context.status(QStringLiteral("R:ue:ckzug von %1 aufgehoben"), context.store().player(player).name1);
}

void MembershipPage::assign() {
    if (!w.assign->isEnabled())
        return; // a double click in a league that may only be read
    const QList<Id> players = chosenIds(w.pool, tavorin::models::IdRole);
    if (players.isEmpty()) {
        messages::show(3, nothingToMove);
        return;
    }
    const Id league = widgets::chosenId(w.league);
    if (league == 0) {
        messages::show(3, QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  "));
        return;
    }
    // All selected players move together or not at all.
    if (messages::writeSucceeded(context.store().assignPlayers(players, league)))
        context.status(QStringLiteral("%1 Spieler der Liga zugeordnet"), QString::number(players.size()));
}

void MembershipPage::remove() {
    if (!w.remove->isEnabled())
        return;
    const QList<Id> assignments = chosenIds(w.members, tavorin::models::AssignmentRole);
    if (assignments.isEmpty()) {
        messages::show(3, nothingToMove);
        return;
    }
    // A member with matches in the schedule stays: without him the schedule would hold matches of a
    // non-member, still counting for his opponents. The whole move is refused, so nobody half moves.
    const QStringList withMatches = context.store().membersWithMatches(assignments);
    if (context.readsFailing())
        return;
    if (!withMatches.isEmpty()) {
        const QString text = withMatches.size() == 1
                                 ? QStringLiteral("  Der Spieler %1 hat in der Liga %2 Spiele im Spielplan. "
                                                  "Ersetzen Sie ihn dort durch einen anderen Spieler oder l:oe:schen "
                                                  "Sie erst den Spielplan der Liga. Niemand wurde ausgetragen.  ")
                                 : QStringLiteral("  Die Spieler %1 haben in der Liga %2 Spiele im Spielplan. "
                                                  "Ersetzen Sie sie dort durch andere Spieler oder l:oe:schen Sie "
                                                  "erst den Spielplan der Liga. Niemand wurde ausgetragen.  ");
        messages::show(3, text.arg(withMatches.join(QStringLiteral(", ")), w.league->currentText()));
        return;
    }
    if (messages::writeSucceeded(context.store().removeAssignments(assignments)))
        context.status(QStringLiteral("%1 Spieler aus der Liga ausgetragen"), QString::number(assignments.size()));
}
