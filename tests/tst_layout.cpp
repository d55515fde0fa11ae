// Every window and dialog on a laptop screen (1366x768) and, run a second time, on a 2560x1440 screen at
// scale factor 2: each fits the screen and shows every caption whole; maximised, the result form is whole.
#include "guitest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDebug>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

using namespace guitest;

namespace {

// The room the style leaves a button's caption.
QSize captionRoom(const QAbstractButton* b) {
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    return b->style()
        ->subElementRect(qobject_cast<const QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                         : qobject_cast<const QCheckBox*>(b)  ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_PushButtonContents,
                         &option, b)
        .size();
}

// Fails on every shown caption of `window` that is larger than the room its widget gives it, and on a
// window that is not on the screen or could not be made as small as the screen.
void verifyWindow(QWidget* window) {
    QApplication::processEvents();
    QStringList problems;
    const auto check = [&](const QWidget* w, const QString& text, const QSize& room) {
        const QSize need = w->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, text).size();
        if (!text.isEmpty() && (need.width() > room.width() || need.height() > room.height()))
            QDebug(&problems.emplace_back()) << text << "needs" << need << "has" << room;
    };
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (!w->isVisibleTo(window))
            continue;
        if (const auto* l = qobject_cast<const QLabel*>(w); l && !l->wordWrap())
            check(l, l->text(), l->contentsRect().size());
        else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            check(b, b->text(), captionRoom(b));
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            check(g, g->title(), g->size());
        else if (const auto* t = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                check(t, t->tabText(i), t->tabRect(i).size());
        else if (const auto* h = qobject_cast<const QHeaderView*>(w); h && h->orientation() == Qt::Horizontal)
            for (int c = 0; c < h->count(); ++c) {
                const int margins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
                if (!h->isSectionHidden(c))
                    check(h, h->model()->headerData(c, Qt::Horizontal).toString(),
                          QSize(h->sectionSize(c) - margins, h->height()));
            }
    }
    const QRect screen = window->screen()->availableGeometry();
    const QSize smallest = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (!screen.contains(window->frameGeometry()) || smallest.width() > screen.width() ||
        smallest.height() > screen.height())
        problems << QStringLiteral("does not fit the screen");
    QVERIFY2(problems.isEmpty(), qPrintable(window->objectName() + ": " + problems.join('\n')));
}

// A league of two with one match, so that the result form can be filled.
const QStringList seed = {"INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'anna'), "
                          "(2, 'Bert', 'bert')",
                          "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
                          "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2)"};

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void everyWindowFitsWithWholeCaptions() {
        LeagueTestEnv env(seed);
        auto w = startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        find<QAction>(*w, "verwaltungAction")->trigger();
        clickCell(find<QTableView>(*w, "ergebnisseTableWidget"), 0, 1); // shows the import group
        auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            verifyWindow(w.get());
        }

        int dialogs = 0;
        const QPair<int, const char*> openers[] = {
            {1, "tabelleCodeAction"},      {2, "statistikCodeAction"},
            {0, "spielplanCodeAction"},    {0, "einstellungenAction"},
            {1, "saisonverlaufAction"},    {0, "lidartsButton"},
            {0, "prodarterButton"},        {0, "sicherungWiederherstellenAction"},
            {0, "linksImportierenButton"}, {0, "neueSaisonAction"},
            {0, "serverVerbindenAction"}};
        for (const auto& [tab, name] : openers) {
            tabs->setCurrentIndex(tab);
            QObject* opener = find<QObject>(*w, name);
            const auto open = [opener] {
                auto* action = qobject_cast<QAction*>(opener);
                action ? action->trigger() : qobject_cast<QPushButton*>(opener)->click();
            };
            answerModals(open, [&](QWidget* d) {
                verifyWindow(d);
                ++dialogs;
                d->close();
            });
        }
        QCOMPARE(dialogs, 11);
    }

    // Maximised, at the larger font of many desktops (11 pt; the platform's is smaller), every part of the
    // result form shows without scrolling, and the results table takes at least half of the width the window
    // gains above the narrowest one at which the page needs no scrolling.
    void resultFormWholeWhenMaximised() {
        struct FontBack { // the platform's font again when the test ends
            QFont font = QApplication::font();
            ~FontBack() { QApplication::setFont(font); }
        } platform;
        QApplication::setFont(QFont(platform.font.family(), 11));
        LeagueTestEnv env(seed);
        auto w = startWindow(nullptr, false);
        w->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* table = find<QTableView>(*w, "ergebnisseTableWidget");
        clickCell(table, 0, 1);
        QApplication::processEvents();
        const QWidget* shown = find<QScrollArea>(*w, "ergebnisseSeiteScrollArea")->viewport();
        for (const QWidget* c : find<QWidget>(*w, "ergebnisFormularWidget")->findChildren<QWidget*>())
            QVERIFY2(!c->isVisibleTo(w.get()) || shown->rect().contains(QRect(c->mapTo(shown, QPoint()), c->size())),
                     qPrintable(c->objectName() + c->metaObject()->className()));

        const int wide = w->width(), wideTable = table->width();
        w->showNormal();
        w->resize(find<QWidget>(*w, "ergebnisseSeite")->minimumSizeHint().width() + 40, w->height());
        QApplication::processEvents();
        QCOMPARE(find<QScrollArea>(*w, "ergebnisseSeiteScrollArea")->horizontalScrollBar()->maximum(), 0);
        QVERIFY2(2 * (wideTable - table->width()) >= wide - w->width(), qPrintable(QString::number(table->width())));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
