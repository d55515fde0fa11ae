// Placeholder until the page is ported: the widgets exist, the commands do nothing yet.
#include "results/resultspage.h"
#include "import/importwindow.h"
#include "results/resultform.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>

ResultsPage::ResultsPage(const PageContext& context, QNetworkAccessManager* network, QWidget* parent)
    : QWidget(parent), context(context), network(network) {
    w.league = new QComboBox(this);
    w.matchDay = new QComboBox(this);
    w.player = new QComboBox(this);
    w.byPlayer = new QPushButton(this);
    w.importGroup = new QGroupBox(this);
    w.prodarter = new QPushButton(this);
    w.lidarts = new QPushButton(this);
    w.results = new QTableView(this);
    w.form = new ResultForm(context, this);
}
void ResultsPage::fillMatchDays() {}
void ResultsPage::fillPlayers() {}
void ResultsPage::showByDay() {}
void ResultsPage::showByPlayer() {}
void ResultsPage::fillResults() {}
void ResultsPage::loadMatch() {}
void ResultsPage::disableForm() {}
void ResultsPage::save() {}
void ResultsPage::followChange(const tavorin::db::StoreChange&) {}
void ResultsPage::clear() {}
void ResultsPage::openImport(tavorin::ImportPlatform) {}
void ResultsPage::fetchImport() {}
void ResultsPage::takeOverImport() {}
bool ResultsPage::reimportConfirmed(const QString&, const QString&) { return false; }
