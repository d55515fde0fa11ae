// Every window and dialog on a laptop screen (1366x768) and, run a second time, on a 2560x1440 screen at
// scale factor 2: each fits the screen and shows every caption whole.
#include "guitest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

using namespace guitest;

namespace {

// The space the style leaves a button's caption.
QRect captionRect(const QAbstractButton* b) {
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    const QStyle::SubElement element = qobject_cast<const QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                       : qobject_cast<const QCheckBox*>(b)  ? QStyle::SE_CheckBoxContents
                                                                            : QStyle::SE_PushButtonContents;
    return b->style()->subElementRect(element, &option, b);
}

// Every shown caption of `window` that is larger than the room its widget gives it.
QStringList clippedCaptions(const QWidget* window) {
    QStringList out;
    const auto check = [&](const QWidget* w, const QString& text, const QSize& room) {
        const QSize need = w->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, text).size();
        if (need.width() > room.width() || need.height() > room.height())
            out << QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                       .arg(w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName(), text)
                       .arg(need.width())
                       .arg(need.height())
                       .arg(room.width())
                       .arg(room.height());
    };
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (!w->isVisibleTo(window))
            continue;
        if (const auto* l = qobject_cast<const QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty())
            check(l, l->text(), l->contentsRect().size());
        else if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
            check(b, b->text(), captionRect(b).size());
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            check(g, g->title(), g->size());
        else if (const auto* t = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                check(t, t->tabText(i), t->tabRect(i).size());
        else if (const auto* h = qobject_cast<const QHeaderView*>(w); h && h->orientation() == Qt::Horizontal)
            for (int c = 0; c < h->count(); ++c) {
                if (h->isSectionHidden(c))
                    continue;
                const int margin = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
                check(h, h->model()->headerData(c, Qt::Horizontal).toString(),
                      QSize(h->sectionSize(c) - margin, h->height()));
            }
    }
    return out;
}

// The window lies on the screen and could be made no smaller than the screen allows; no caption is cut.
void verifyWindow(QWidget* window) {
    QApplication::processEvents();
    const QRect screen = window->screen()->availableGeometry();
    QStringList problems = clippedCaptions(window);
    if (!screen.contains(window->frameGeometry()))
        problems << QStringLiteral("not on the screen");
    const QSize smallest = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (smallest.width() > screen.width() || smallest.height() > screen.height())
        problems << QStringLiteral("larger than the screen at its smallest");
    QVERIFY2(problems.isEmpty(), qPrintable(window->objectName() + ": " + problems.join('\n')));
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void everyWindowFitsWithWholeCaptions();
};

void TestLayout::everyWindowFitsWithWholeCaptions() {
    LeagueTestEnv env({"INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'anna'), "
                       "(2, 'Bert', 'bert')",
                       "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
                       "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1)",
                       "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2)"});
    auto w = startWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    find<QAction>(*w, "verwaltungAction")->trigger();
    clickCell(find<QTableWidget>(*w, "ergebnisseTableWidget"), 0, 1); // shows the import group
    auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        verifyWindow(w.get());
    }

    int dialogs = 0;
    const auto inDialog = [&](int tab, const std::function<void()>& open) {
        tabs->setCurrentIndex(tab);
        answerModals(open, [&](QWidget* d) {
            verifyWindow(d);
            ++dialogs;
            d->close();
        });
    };
    for (const auto& [tab, action] : QList<QPair<int, const char*>>{{1, "tabelleCodeAction"},
                                                                    {2, "statistikCodeAction"},
                                                                    {0, "spielplanCodeAction"},
                                                                    {0, "einstellungenAction"}})
        inDialog(tab, [&, action = action] { find<QAction>(*w, action)->trigger(); });
    for (const char* button : {"lidartsButton", "prodarterButton"})
        inDialog(0, [&] { find<QPushButton>(*w, button)->click(); });
    QCOMPARE(dialogs, 6);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
