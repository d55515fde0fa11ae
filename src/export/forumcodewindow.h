#pragma once

#include "app/settings.h"
#include "db/leaguetypes.h"
#include "export/forumcode.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextDocument;
class QTextEdit;
class QVBoxLayout;

namespace tavorin {

namespace db {
class LeagueSession;
}

// What a forum-code window exports and under which keys of "exportfenster" it keeps its options. The
// number (1 table, 2 statistics, 3 schedule) is part of most keys: "name1a", "TabBreite1Value",
// "linieB1", "linie1", "format1".
struct ForumCodeWindowKind {
    enum Content { LeagueTable = 1, Statistics = 2, Schedule = 3 };
    Content content;
    QLatin1StringView title;         // "Tabelle", ...: in proposed file names and the printed page's title
    QLatin1StringView dateKey;       // the key of "Aktualisierungsdatum anzeigen"
    QLatin1StringView alignmentStem; // "Tab" or "Stat" before "Links", "Zentriert", ...; empty: no alignment
    int dateNumber;                  // the number DatumAktualisieren takes for the window
    int lineColourIndex;             // the colour index FarbeWaehlen takes for its line colour

    int number() const { return content; }
    QString key(const char* pattern) const; // the pattern with "%1" replaced by the number
    static const ForumCodeWindowKind& of(int number);
};

// What a window takes from the main window when it opens.
struct ForumCodeContext {
    ExportSettings* settings = nullptr; // the options it opens with; it changes and stores them
    QString configPath;
    Captions captions; // of the two name check boxes
    QString today;     // the start-up date of the date line
    PlatformAddresses platforms;
    Points points;                        // how the league table counts and ranks
    db::LeagueSession* session = nullptr; // the league it reads
    Id league = 0;                        // the league it exports
    QString leagueName;
    QString fileFolder; // where its files are proposed: beside the league file
};

// The forum-code window of the league table, the statistics or the schedule: format, the code field with
// its preview, the options, the file and clipboard buttons. Each option is kept in config.ini as it
// changes; the format too, so that the window opens with the format it was left with.
class ForumCodeWindow : public QDialog {
    Q_OBJECT

public:
    ForumCodeWindow(const ForumCodeWindowKind& kind, const ForumCodeContext& context, QWidget* parent);

    // The widgets the main window connects to its slots.
    struct Controls {
        QRadioButton* html = nullptr;
        QRadioButton* bbcode = nullptr;
        QPlainTextEdit* code = nullptr;
        QTextEdit* preview = nullptr;
        std::array<QRadioButton*, 3> alignment{}; // left, centred, names left and values centred; table windows
        QCheckBox* name1 = nullptr;
        QCheckBox* name2 = nullptr;
        QLineEdit* width = nullptr;
        QRadioButton* percent = nullptr;
        QRadioButton* pixel = nullptr;
        QComboBox* thickness = nullptr;
        QLineEdit* lineColour = nullptr;
        QLabel* lineSwatch = nullptr;
        QPushButton* lineButton = nullptr;
        QCheckBox* date = nullptr;
        std::array<QCheckBox*, 3> bbFormatting{}; // schedule: days bold, days underlined, score bold
        std::array<QLineEdit*, 3> scoreColour{};  // schedule: drawn, won, lost
        std::array<QLabel*, 3> scoreSwatch{};
        std::array<QPushButton*, 3> scoreButton{};
        QPushButton* csv = nullptr;
        QPushButton* pdf = nullptr;
        QPushButton* print = nullptr;
        QPushButton* copy = nullptr;
        QPushButton* close = nullptr;
    };
    const Controls& controls() const { return c; }
    const ForumCodeWindowKind& kind() const { return k; }

    // Reads the league's rows afresh and puts their code, with the options shown, into the code field. When
    // the read fails the field keeps what it showed.
    void writeCode();
    void copyCode() const;

    // What the option slots do: keep the option shown under the window's keys, then write the code.
    void storeNames();
    void storeDate();
    void storeThickness();
    void storeWidth();
    void storeAlignment();
    // Asks for colour `index` (as FarbeWaehlen numbers them) and keeps it; the colour field's change
    // writes the code. A cancelled dialog changes nothing.
    void chooseColour(int index);

    // What the window exports and of which league, "Tabelle Nord": the name proposed for its files.
    QString fileName() const;
    // The rows as CSV, and as the page to print or save as PDF; false when the read failed.
    bool csvFile(QByteArray& out) const;
    bool printDocument(QTextDocument& document) const;
    // The buttons "Als CSV speichern...", "Als PDF speichern..." and "Drucken...".
    void saveCsv();
    void savePdf();
    void print();

private:
    // Asks where to save, proposing fileName() with the extension `extension` in the file folder; empty
    // when cancelled.
    QString chooseTarget(const QString& title, const QString& extension);
    // Writes `data` to `path` whole, or reports why it could not (kind 4) and returns false.
    bool writeFile(const QString& path, const QByteArray& data);
    struct Rows {
        QList<LeagueTableRow> table;
        QList<StatisticsRow> statistics;
        QList<ScheduleMatch> matches;
    };
    bool readRows(Rows& rows) const;
    QString code(const Rows& rows, CodeFormat format) const;
    ExportOptions options() const;

    void buildFormat(QVBoxLayout* column);
    void buildCode(QVBoxLayout* column);
    QGroupBox* buildSettings();
    void buildWidth(QGridLayout* grid);
    void buildLine(QGridLayout* grid);
    QGroupBox* buildAlignment();
    QWidget* buildScheduleGroups();
    void buildButtons(QVBoxLayout* column);

    // The option of `key` as this window opened with it or last kept it.
    bool flag(const QString& key) const;
    QString text(const QString& key) const;
    // Keeps the values of `keys` in config.ini.
    void store(const QStringList& keys) const;
    // Enables the options the format shown uses, disables the others.
    void showFormat();
    void formatChanged();
    void renderPreview();

    const ForumCodeWindowKind& k;
    ForumCodeContext context;
    Controls c;
    QList<QWidget*> htmlOnly, bbOnly; // options that only one of the formats uses
    QTimer previewTimer;              // the preview follows the code field once typing pauses
};

} // namespace tavorin
