#include "results/resultspage.h"

#include "app/messages.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "import/batchimportwindow.h"
#include "import/importwindow.h"
#include "models/matchlistmodel.h"
#include "results/resultform.h"

#include <QBrush>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

using tavorin::Id;
using tavorin::models::MatchListModel;

namespace {

// The shown cells of a played match, bold and dark green.
class PlayedMarks : public QIdentityProxyModel {
public:
    PlayedMarks(const QFont& bold, QObject* parent) : QIdentityProxyModel(parent), bold(bold) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if ((role == Qt::FontRole || role == Qt::ForegroundRole) &&
            QIdentityProxyModel::data(index, tavorin::models::PlayedRole).toBool())
            return role == Qt::FontRole ? QVariant(bold) : QVariant(QBrush(Qt::darkGreen, Qt::SolidPattern));
        return QIdentityProxyModel::data(index, role);
    }

private:
    const QFont bold;
};

QComboBox* choice(const char* objectName) {
    auto* box = new QComboBox;
    box->setObjectName(QLatin1StringView(objectName));
    return box;
}

} // namespace

ResultsPage::ResultsPage(const PageContext& context, QNetworkAccessManager* network, QWidget* parent)
    : QWidget(parent), context(context), network(network) {
    const QStringList headers = {QStringLiteral("id"),      QStringLiteral("Spieltag"), context.captions.heim,
                                 context.captions.gast,     QStringLiteral("heimId"),   QStringLiteral("gastId"),
                                 QStringLiteral("Ergebnis")};
    model =
        new MatchListModel(*context.session, MatchListModel::Kind::Results, headers, context.captions.anzeige, this);
    auto* row = new QHBoxLayout(this);
    row->addWidget(buildSelectors());
    row->addSpacing(20);
    row->addWidget(buildList());
    row->addSpacing(20);
    w.form = new ResultForm(context);
    connect(w.form, &ResultForm::matchChangedElsewhere, this, &ResultsPage::reloadForm);
    row->addWidget(w.form);
}

QWidget* ResultsPage::buildSelectors() {
    QVBoxLayout* layout = nullptr;
    QWidget* column = widgets::column(300, QStringLiteral("ergebnisseSpalteWidget"), &layout);
    QGroupBox* days =
        widgets::group(QStringLiteral("  Spieltagauswahl  "), 100, QStringLiteral("spieltagauswahlGroupBox"));
    w.league = choice("ergebnisseLigaComboBox");
    w.matchDay = choice("spieltagComboBox");
    auto* daysLayout = new QVBoxLayout(days);
    daysLayout->addWidget(w.league);
    daysLayout->addWidget(w.matchDay);

    QGroupBox* all = widgets::group(QStringLiteral("  Alle Spiele von") + QChar(0x2026) + QStringLiteral("  "), 100,
                                    QStringLiteral("alleSpieleGroupBox"));
    w.player = choice("einzelSpielerComboBox");
    w.byPlayer =
        widgets::button(tavorin::replaceUmlautEscapes(QStringLiteral("Spiele ausw:ae:hlen")), "spieleAuswaehlenButton");
    auto* allLayout = new QVBoxLayout(all);
    allLayout->addWidget(w.player);
    allLayout->addWidget(w.byPlayer);

    w.importGroup =
        widgets::group(QStringLiteral("  Von Online-Plattform importieren  "), 100, QStringLiteral("importGroupBox"));
    w.prodarter = widgets::button(QStringLiteral("prodarter"), "prodarterButton");
    w.lidarts = widgets::button(QStringLiteral("Lidarts"), "lidartsButton");
    w.batch = widgets::button(QStringLiteral("Ergebnisse aus Links importieren..."), "linksImportierenButton");
    auto* importLayout = new QGridLayout(w.importGroup);
    importLayout->addWidget(w.prodarter, 0, 0);
    importLayout->addWidget(w.lidarts, 0, 1);
    importLayout->addWidget(w.batch, 1, 0, 1, 2);
    showSingleImport(false); // until a match is loaded into the form

    layout->addWidget(days);
    layout->addSpacing(10);
    layout->addWidget(all);
    layout->addSpacing(10);
    layout->addWidget(w.importGroup);
    layout->addStretch();
    return column;
}

QTableView* ResultsPage::buildList() {
    auto* marks = new PlayedMarks(context.bold, this);
    marks->setSourceModel(model);
    w.results = widgets::tableView(marks, QStringLiteral("ergebnisseTableWidget"));
    w.results->verticalHeader()->hide();
    for (int column : {0, 4, 5})
        w.results->hideColumn(column); // the ids
    w.results->setColumnWidth(1, 50);
    w.results->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    w.results->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    w.results->setColumnWidth(6, 60);
    return w.results;
}

void ResultsPage::fillMatchDays() {
    const QList<int> days = context.store().matchDays(widgets::chosenId(w.league));
    if (!context.readsFailing())
        showMatchDays(days);
}

void ResultsPage::showMatchDays(const QList<int>& days) {
    // The first day is chosen; the results list and the form follow.
    QList<QPair<QString, QVariant>> entries;
    for (int day : days)
        entries.append({QString::number(day) + QStringLiteral(". Spieltag"), day});
    widgets::fillChoices(w.matchDay, entries);
}

QList<int> ResultsPage::shownMatchDays() const {
    QList<int> days;
    for (int i = 0; i < w.matchDay->count(); ++i)
        days.append(w.matchDay->itemData(i).toInt());
    return days;
}

void ResultsPage::fillPlayers() {
    const QList<tavorin::Member> members = context.store().membersByFirstName(widgets::chosenId(w.league));
    if (context.readsFailing())
        return;
    // The chosen player stays chosen while he is still listed, so that his matches can be entered one after
    // another; otherwise the league's first member is shown.
    const Id before = widgets::chosenId(w.player);
    w.player->clear();
    for (const tavorin::Member& m : members)
        w.player->addItem(tavorin::safeName(m.name1), m.player);
    const int index = w.player->findData(before);
    if (index > 0)
        w.player->setCurrentIndex(index);
}

void ResultsPage::showByDay() {
    byPlayer = false;
    fillResults();
}

void ResultsPage::showByPlayer() {
    byPlayer = true;
    fillResults();
}

void ResultsPage::fillResults() {
    model->setSecondNames(context.captions.anzeige);
    if (byPlayer)
        model->showPlayer(widgets::chosenId(w.player));
    else
        model->showMatchDay(widgets::chosenId(w.league), w.matchDay->currentData().toInt());
    // The form keeps its match, which stays marked while it is listed.
    if (!w.results->currentIndex().isValid())
        selectFormMatch();
}

int ResultsPage::selectFormMatch() {
    const Id match = w.form->match();
    if (match == 0)
        return -1;
    const QModelIndex current = w.results->currentIndex();
    if (current.isValid() && current.data(tavorin::models::IdRole).toLongLong() == match)
        return current.row();
    const int row = model->rowOfMatch(match);
    if (row >= 0)
        w.results->setCurrentIndex(w.results->model()->index(row, 1));
    return row;
}

void ResultsPage::loadMatch() {
    const QModelIndex current = w.results->currentIndex();
    const int row = current.isValid() ? current.row() : selectFormMatch();
    if (row < 0)
        return; // no match chosen: the form stays as it is
    const tavorin::Match& m = model->row(row);
    const auto shownName = [&](int column) { return model->index(row, column).data().toString(); };
    if (w.form->load(m.id, {m.home, shownName(2), m.home2}, {m.away, shownName(3), m.away2}))
        showSingleImport(true);
}

void ResultsPage::disableForm() {
    w.form->reset();
    showSingleImport(false);
}

void ResultsPage::showSingleImport(bool shown) {
    w.prodarter->setVisible(shown);
    w.lidarts->setVisible(shown);
}

void ResultsPage::save() {
    w.form->save();
}

void ResultsPage::followChange(const tavorin::db::StoreChange& change) {
    using C = tavorin::db::StoreChange;
    const Id league = widgets::chosenId(w.league);
    if (change.concernsLeague(league, C::Schedule)) {
        // New match days (a schedule computed or deleted) choose the first day anew and close the form.
        const QList<int> days = context.store().matchDays(league);
        if (context.readsFailing())
            return;
        if (days != shownMatchDays()) {
            showMatchDays(days);
            return;
        }
    }
    // Otherwise the match in the form is loaded again when the change may concern it, and the form closed
    // when the match is no longer listed; figures typed for another match stay.
    // Figures typed here stay when another organiser changed the match: saving them is refused with what
    // happened, and the form then shows the stored state.
    const Id match = w.form->match();
    if (match == 0 || !(change.concerns(C::Players | C::Schedule) || change.concernsMatch(match) ||
                        (change.allLeagues && change.concerns(C::Results))))
        return;
    if (!change.remote || !w.form->isEdited())
        reloadForm();
}

void ResultsPage::reloadForm() {
    if (selectFormMatch() < 0)
        disableForm();
    else
        loadMatch();
    if (w.form->match() == 0)
        disableForm();
}

void ResultsPage::clear() {
    disableForm();
    byPlayer = false;
    const QSignalBlocker quietDays(w.matchDay);
    const QSignalBlocker quietPlayers(w.player);
    w.matchDay->clear();
    w.player->clear();
    model->clear();
}

void ResultsPage::openImport(tavorin::ImportPlatform platform) {
    // A new import forgets the one taken over before: its game is stored only with the values it came with.
    ResultForm* form = w.form;
    form->forgetImport();
    ImportWindow window(platform, context.platforms,
                        {form->leftPlatformName(), form->rightPlatformName(), form->ui().leftName->text(),
                         form->ui().rightName->text()},
                        network, this);
    importWindow = &window;
    connect(&window, &ImportWindow::fetchRequested, this, &ResultsPage::fetchImport);
    connect(&window, &ImportWindow::takeOverRequested, this, &ResultsPage::takeOverImport);
    window.exec();
}

void ResultsPage::openBatchImport() {
    BatchImportWindow window(context, network, widgets::chosenId(w.league), this);
    window.exec();
}

void ResultsPage::fetchImport() {
    if (importWindow)
        importWindow->fetchValues();
}

bool ResultsPage::reimportConfirmed(const QString& platform, const QString& gameId) {
    const tavorin::resultentry::MatchWithGame stored = context.store().matchWithGame(platform, gameId, w.form->match());
    if (context.readsFailing())
        return false; // unknown whether the game is stored already: nothing is taken over
    if (!stored.found)
        return true;
    const bool second = context.captions.anzeige; // the names the results list shows
    const QString home = tavorin::safeName(second ? stored.home2 : stored.home1);
    const QString away = tavorin::safeName(second ? stored.away2 : stored.away1);
    return messages::ask(QStringLiteral("Dieses Spiel ist schon bei Spieltag ") + stored.matchDay +
                         QStringLiteral(" (") + home + QStringLiteral(" – ") + away +
                         QStringLiteral(") eingetragen. Trotzdem :ue:bernehmen?"));
}

void ResultsPage::takeOverImport() {
    // Only what the fetch supplied is taken over: a missing position leaves its field empty. A game that
    // is stored for another match is taken over only when the user says so.
    const std::optional<ImportTakeOver> values = importWindow ? importWindow->takeOver() : std::nullopt;
    if (values && reimportConfirmed(values->platform, values->gameId))
        w.form->takeOver(values->sides, values->gameId, values->platform);
}
