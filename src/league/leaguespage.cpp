#include "league/leaguespage.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "league/adminwidgets.h"
#include "models/leaguelistmodel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>

using namespace adminwidgets;

namespace {

const QString noLeague = QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  ");

// A sub-group titled `title` (padded) with the caption of the league's name; its button, `title` too, below.
QGroupBox* nameGroup(const PageContext& context, const QString& title, const QString& objectName) {
    QGroupBox* group = subGroup(QStringLiteral("  ") + title + QStringLiteral("  "), 1, context.normal, objectName);
    caption(group, 0, QStringLiteral("Liga-Bezeichnung:"));
    return group;
}

// The group "Ligenverwaltung": add, rename and delete a league, and the button that empties every field.
QGroupBox* administration(const PageContext& context, LeaguesPage::Widgets& w) {
    const QString addText = tavorin::replaceUmlautEscapes(QStringLiteral("Liga hinzuf:ue:gen"));
    QGroupBox* add = nameGroup(context, addText, QStringLiteral("ligaHinzufuegenGroupBox"));
    w.newName = field(add, 0, QStringLiteral("ligaNeuLineEdit"));
    w.add = button(add, 1, addText, widgets::lightGray, QStringLiteral("ligaHinzufuegenButton"));

    const QString editText = QStringLiteral("Liga bearbeiten");
    QGroupBox* edit = nameGroup(context, editText, QStringLiteral("ligaBearbeitenGroupBox"));
    w.editName = field(edit, 0, QStringLiteral("ligaBearbeitenLineEdit"));
    w.edit = button(edit, 1, editText, widgets::lightGray, QStringLiteral("ligaBearbeitenButton"));

    const QString deleteText = tavorin::replaceUmlautEscapes(QStringLiteral("Liga l:oe:schen"));
    QGroupBox* remove = nameGroup(context, deleteText, QStringLiteral("ligaLoeschenGroupBox"));
    w.deleteName = value(remove, 0, context.bold, QStringLiteral("ligaLoeschenLabel"));
    w.remove = button(remove, 1, deleteText, redButton, QStringLiteral("ligaLoeschenButton"));

    w.clear = clearButton(QStringLiteral("ligaFelderLeerenButton"));

    return administrationGroup(QStringLiteral("Ligenverwaltung"), QStringLiteral("ligenverwaltungGroupBox"),
                               context.bold, add, edit, remove, w.clear);
}

} // namespace

LeaguesPage::LeaguesPage(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    model = new tavorin::models::LeagueListModel(*context.session, this);
    // A click on a header sorts by that column, without regard to case as the leagues are read.
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    sorted->setSourceModel(model);
    w.leagues = widgets::tableView(sorted, QStringLiteral("ligenTableWidget"));
    w.leagues->hideColumn(0);
    w.leagues->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    w.leagues->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    w.leagues->setSortingEnabled(true);

    auto* row = new QHBoxLayout(this);
    row->addWidget(w.leagues);
    row->addSpacing(20);
    row->addWidget(administration(context, w));
}

void LeaguesPage::reload() {
    clearSelection(); // the league picked belongs to the file shown before
    model->reload();
}

void LeaguesPage::select() {
    const QModelIndex current = w.leagues->currentIndex();
    if (!current.isValid())
        return;
    const QString name = current.siblingAtColumn(1).data().toString();
    w.editName->setText(name);
    w.deleteName->setText(name);
    selected = current.data(tavorin::models::IdRole).toLongLong();
}

void LeaguesPage::add() {
    const QString name = w.newName->text();
    if (name.trimmed().isEmpty()) {
        messages::show(3, QStringLiteral("  Es muss eine Bezeichnung f:ue:r die Liga angegeben werden.  "));
        return;
    }
    if (!messages::writeSucceeded(context.store().addLeague(name)))
        return;
    context.status(QStringLiteral("Liga %1 hinzugef:ue:gt"), name);
    w.newName->clear();
    clearSelection();
    w.newName->setFocus(); // ready for the next league
}

void LeaguesPage::edit() {
    // A name typed without a league picked renames none.
    const QString name = w.editName->text();
    if (name.trimmed().isEmpty() || selected == 0) {
        messages::show(3, noLeague);
        return;
    }
    if (!messages::writeSucceeded(context.store().renameLeague(selected, name)))
        return;
    context.status(QStringLiteral("Liga %1 umbenannt"), name);
    w.newName->clear();
    clearSelection();
}

void LeaguesPage::remove() {
    if (w.deleteName->text().isEmpty()) {
        messages::show(3, noLeague);
        return;
    }
    // Members would drop out of the pool for good: they are taken out first.
    const qsizetype members = context.store().members(selected).size();
    if (context.readsFailing())
        return;
    if (members > 0) {
        messages::show(3, QStringLiteral("Die Liga hat noch ") + QString::number(members) +
                              QStringLiteral(" Mitglieder. Bitte zuerst alle Mitglieder austragen."));
        return;
    }
    if (!context.backup(QStringLiteral("Liga l:oe:schen")) ||
        !messages::writeSucceeded(context.store().deleteLeague(selected)))
        return;
    context.status(QStringLiteral("Liga %1 gel:oe:scht"), w.deleteName->text());
    clearSelection();
}

void LeaguesPage::clearFields() {
    w.newName->clear();
    clearSelection();
}

void LeaguesPage::clearSelection() {
    w.editName->clear();
    w.deleteName->clear();
    selected = 0;
}
