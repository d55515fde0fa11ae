#pragma once

#include "app/pagecontext.h"
#include "import/batchimport.h"

#include <QDialog>
#include <QSet>

class QComboBox;
class QNetworkAccessManager;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStandardItem;
class QStandardItemModel;

namespace tavorin {
class BatchFetch;
}

// "Ergebnisse aus Links importieren": the organiser pastes any text (a forum thread), "Links abrufen" fetches
// every game linked in it, and the review shows for each link the match it goes to or why none. "Übernehmen"
// saves the checked games after a backup, all together; closing the window writes nothing.
class BatchImportWindow : public QDialog {
    Q_OBJECT

public:
    BatchImportWindow(const PageContext& context, QNetworkAccessManager* manager, tavorin::Id league,
                      QWidget* parent = nullptr);
    ~BatchImportWindow() override;

    void fetchLinks();  // "Links abrufen"
    void cancelFetch(); // "Abbrechen": what has arrived stays
    void saveChecked(); // "Übernehmen"
    void done(int result) override;

private:
    void build();
    QWidget* buildTable();
    // Reads the chosen league's matches and the stored games, and reviews the links anew.
    void leagueChosen();
    void arrived(int link, const tavorin::ImportedValues& values);
    void fetchEnded();
    void showReview();
    void checkChanged(QStandardItem* item);
    void updateSaveButton();
    void setBusy(bool busy);

    const PageContext& context;
    tavorin::BatchFetch* fetch = nullptr;
    QList<tavorin::batchimport::FoundLink> links;
    QList<tavorin::batchimport::Fetched> fetched;
    tavorin::batchimport::LeagueView league;
    QList<tavorin::batchimport::ReviewRow> rows;
    QSet<QString> unchecked; // the organiser's choice, by link
    bool busy = false;

    QComboBox* leagueBox = nullptr;
    QPlainTextEdit* text = nullptr;
    QPushButton* fetchButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* saveButton = nullptr;
    QProgressBar* progress = nullptr;
    QStandardItemModel* review = nullptr;
};
