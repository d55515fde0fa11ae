#include "league/playerspage.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "league/adminwidgets.h"
#include "models/namefilterproxy.h"
#include "models/playerlistmodel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace adminwidgets;
using tavorin::models::NameFilterProxy;
using tavorin::models::PlayerListModel;

namespace {

const QString noPlayer = QStringLiteral("  Es wurde kein Spieler ausgew:ae:hlt.  ");

// Why a player with these matches, results and leagues cannot be deleted (with umlaut escapes); empty
// when he can.
QString deleteRefusal(const tavorin::PlayerUse& use, const QStringList& leagues) {
    const QString resultsStay =
        QStringLiteral(" Gespeicherte Ergebnisse entfernt nur \"Alle Ergebnisse l:oe:schen\" auf dem Reiter "
                       "\"Spieltage\" (f:ue:r alle Ligen, etwa zum Saisonende); bis dahin bleibt der Spieler.  ");
    if (!use.scheduledIn.isEmpty())
        return QStringLiteral("  Der Spieler hat in der Liga ") + use.scheduledIn.constFirst() +
               QStringLiteral(" Spiele im Spielplan. Ersetzen Sie ihn dort durch einen anderen Spieler oder "
                              "l:oe:schen Sie erst den Spielplan der Liga.  ");
    if (!use.resultsIn.isEmpty())
        return QStringLiteral("  Der Spieler hat in der Liga ") + use.resultsIn.constFirst() +
               QStringLiteral(" gespeicherte Ergebnisse.") + resultsStay;
    if (use.resultsWithoutMatch > 0)
        return QStringLiteral("  Der Spieler hat gespeicherte Ergebnisse aus einem gel:oe:schten Spielplan.") +
               resultsStay;
    if (!leagues.isEmpty())
        return QStringLiteral("Der Spieler ist Mitglied der Liga ") + leagues.constFirst() +
               QStringLiteral(". Bitte zuerst aus der Liga austragen.");
    return QString();
}

// A sub-group titled `title` (padded) with the captions of both names; its button, `title` too, below them.
QGroupBox* nameGroup(const PageContext& context, const QString& title, const QString& objectName) {
    QGroupBox* group = subGroup(QStringLiteral("  ") + title + QStringLiteral("  "), 2, context.normal, objectName);
    caption(group, 0, context.captions.name1 + QLatin1Char(':'));
    caption(group, 1, context.captions.name2 + QLatin1Char(':'));
    return group;
}

// The group "Spielerverwaltung": add, edit and delete a player, and the button that empties every field.
QGroupBox* administration(const PageContext& context, PlayersPage::Widgets& w) {
    const QString addText = tavorin::replaceUmlautEscapes(QStringLiteral("Spieler hinzuf:ue:gen"));
    QGroupBox* add = nameGroup(context, addText, QStringLiteral("spielerHinzufuegenGroupBox"));
    w.newName1 = field(add, 0, QStringLiteral("spielerNeuName1LineEdit"));
    w.newName2 = field(add, 1, QStringLiteral("spielerNeuName2LineEdit"));
    w.add = button(add, 2, addText, widgets::lightGray, QStringLiteral("spielerHinzufuegenButton"));

    const QString editText = QStringLiteral("Spieler bearbeiten");
    QGroupBox* edit = nameGroup(context, editText, QStringLiteral("spielerBearbeitenGroupBox"));
    w.editName1 = field(edit, 0, QStringLiteral("spielerBearbeitenName1LineEdit"));
    w.editName2 = field(edit, 1, QStringLiteral("spielerBearbeitenName2LineEdit"));
    w.edit = button(edit, 2, editText, widgets::lightGray, QStringLiteral("spielerBearbeitenButton"));

    const QString deleteText = tavorin::replaceUmlautEscapes(QStringLiteral("Spieler l:oe:schen"));
    QGroupBox* remove = nameGroup(context, deleteText, QStringLiteral("spielerLoeschenGroupBox"));
    w.deleteName1 = value(remove, 0, context.bold, QStringLiteral("spielerLoeschenName1Label"));
    w.deleteName2 = value(remove, 1, context.bold, QStringLiteral("spielerLoeschenName2Label"));
    w.remove = button(remove, 2, deleteText, redButton, QStringLiteral("spielerLoeschenButton"));

    w.clear = clearButton(QStringLiteral("spielerFelderLeerenButton"));

    return administrationGroup(QStringLiteral("Spielerverwaltung"), QStringLiteral("spielerverwaltungGroupBox"),
                               context.bold, add, edit, remove, w.clear);
}

} // namespace

PlayersPage::PlayersPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    model = new PlayerListModel(*context.session, PlayerListModel::Source::AllPlayers,
                                {QStringLiteral("id"), context.captions.name1, context.captions.name2}, this);
    proxy = new NameFilterProxy(this);
    proxy->setSourceModel(model);
    w.players = playerList(proxy, QStringLiteral("spielerTableWidget"));
    // Listed by the second name at first, as they are read; a click on a header sorts by that column.
    w.players->horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    w.players->setSortingEnabled(true);
    w.search = searchField(QStringLiteral("spielerFilterLineEdit"));
    connect(w.search, &QLineEdit::textChanged, proxy, &NameFilterProxy::setSearchText);

    auto* list = new QVBoxLayout;
    list->addWidget(w.search);
    list->addWidget(w.players);
    auto* row = new QHBoxLayout(this);
    row->addLayout(list);
    row->addSpacing(20);
    row->addWidget(administration(context, w));
}

void PlayersPage::setListed(bool shown) {
    model->setActive(shown);
}

void PlayersPage::reload() {
    clearSelection(); // the player picked belongs to the league shown before
    model->reload();
}

void PlayersPage::select() {
    const QModelIndex current = w.players->currentIndex();
    if (!current.isValid())
        return;
    const QString name1 = current.siblingAtColumn(1).data().toString();
    const QString name2 = current.siblingAtColumn(2).data().toString();
    w.editName1->setText(name1);
    w.deleteName1->setText(name1);
    w.editName2->setText(name2);
    w.deleteName2->setText(name2);
    selected = current.data(tavorin::models::IdRole).toLongLong();
    // As stored now: a rename by another organiser after this is refused rather than overwritten.
    picked = context.store().player(selected);
}

void PlayersPage::add() {
    const QString name1 = w.newName1->text(), name2 = w.newName2->text();
    if (name1.trimmed().isEmpty() || name2.trimmed().isEmpty()) {
        messages::show(3, QStringLiteral("  Es m:ue:ssen beide Textfelder ausgef:ue:llt werden.  "));
        return;
    }
    const bool taken = context.store().nameTaken(name1, name2);
    if (context.readsFailing() ||
        (taken && !messages::ask(QStringLiteral("Einen Spieler mit diesem Namen gibt es schon. Trotzdem anlegen?"))))
        return;
    if (!messages::writeSucceeded(context.store().addPlayer(name1, name2)))
        return;
    context.status(QStringLiteral("Spieler %1 hinzugef:ue:gt"), name1);
    w.newName1->clear();
    w.newName2->clear();
    clearSelection();
    w.newName1->setFocus(); // ready for the next player
}

void PlayersPage::edit() {
    // Names typed without a player picked rename nobody.
    const QString name1 = w.editName1->text(), name2 = w.editName2->text();
    if (name1.trimmed().isEmpty() || name2.trimmed().isEmpty() || selected == 0) {
        messages::show(3, noPlayer);
        return;
    }
    if (!messages::writeSucceeded(context.store().updatePlayer(selected, name1, name2, &picked)))
        return;
    context.status(QStringLiteral("Spieler %1 ge:ae:ndert"), name1);
    clearSelection();
}

void PlayersPage::remove() {
    if (w.deleteName1->text().isEmpty() || w.deleteName2->text().isEmpty()) {
        messages::show(3, noPlayer);
        return;
    }
    // A player stays while a schedule, a result or a league still counts him: without his row his matches
    // would show an empty name and still count for his opponents.
    tavorin::db::LeagueStore& store = context.store();
    tavorin::PlayerUse use;
    QStringList leagues;
    {
        const tavorin::db::LeagueStore::Hold open(store);
        use = store.playerUse(selected);
        leagues = store.leaguesOfPlayer(selected);
    }
    if (context.readsFailing())
        return;
    if (const QString refusal = deleteRefusal(use, leagues); !refusal.isEmpty()) {
        messages::show(3, refusal);
        return;
    }
    if (!context.backup(QStringLiteral("Spieler l:oe:schen")) ||
        !messages::writeSucceeded(store.deletePlayer(selected)))
        return;
    context.status(QStringLiteral("Spieler %1 gel:oe:scht"), w.deleteName1->text());
    clearSelection();
}

void PlayersPage::clearFields() {
    w.newName1->clear();
    w.newName2->clear();
    clearSelection();
}

void PlayersPage::clearSelection() {
    w.editName1->clear();
    w.editName2->clear();
    w.deleteName1->clear();
    w.deleteName2->clear();
    selected = 0;
}
