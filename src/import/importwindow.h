#pragma once

#include "import/platformreplies.h"
#include "results/resultentry.h"

#include <QDialog>

#include <array>
#include <optional>

class QLineEdit;
class QNetworkAccessManager;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tavorin {
class PlatformFetch;
}

// What the import window hands over to the result form: the game and the figures of the form's left and
// right player.
struct ImportTakeOver {
    QString gameId;
    QString platform; // "lidarts" or "prodarter"
    std::array<tavorin::resultentry::SideTexts, 2> sides;
};

// The import window of one platform: the link of a played game is pasted, "Import" fetches its figures,
// the window shows them row by row with their captions under the form's two players, and the take-over
// button hands them over. The fetch runs while the window keeps answering; closing the window
// ends it. Its two buttons only ask (fetchRequested, takeOverRequested); the owner answers by calling
// fetchValues() and takeOver().
class ImportWindow : public QDialog {
    Q_OBJECT

public:
    // The players of the match in the result form: the platform names the fetched names must match, and
    // the form's captions of its left and right player.
    struct FormPlayers {
        QString leftName;
        QString rightName;
        QString leftCaption;
        QString rightCaption;
    };

    ImportWindow(tavorin::ImportPlatform platform, const tavorin::PlatformAddresses& addresses,
                 const FormPlayers& players, QNetworkAccessManager* manager, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // Fetches the game of the pasted link. An empty text, or one that holds no game id, is refused at once
    // and nothing is sent. The values shown before are gone, and nothing can be taken over until this
    // fetch has offered values whose names match the form's players.
    void fetchValues();
    // The offered values, once: afterwards nothing is offered until the next fetch. None when nothing is
    // offered, or when the platform has the game at 0 legs to 0.
    std::optional<ImportTakeOver> takeOver();

    void done(int result) override;

signals:
    void fetchRequested();
    void takeOverRequested();

private:
    void build(const QString& linkCaption);
    QTableView* buildTable();
    void showResult(const tavorin::ImportedValues& result);
    void showValues();
    void forgetValues();
    void setBusy(bool busy);

    const tavorin::ImportPlatform platform;
    const tavorin::PlatformAddresses addresses;
    const FormPlayers players;
    tavorin::PlatformFetch* fetch = nullptr;
    QString gameId;                  // of the fetch shown
    tavorin::ImportedValues offered; // in the form's order: first is the left player
    bool ready = false;              // the values may be taken over
    bool busy = false;

    QLineEdit* link = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* takeOverButton = nullptr;
    QStandardItemModel* values = nullptr;
};
