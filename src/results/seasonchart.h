#pragma once

#include "app/pagecontext.h"

#include <QDialog>

// "Saisonverlauf": every member's table position after each match day and average on each match day of
// one league, as two line charts, with a button that saves them as a picture.
class SeasonChartWindow : public QDialog {
    Q_OBJECT

public:
    SeasonChartWindow(const PageContext& context, tavorin::Id league, const QString& leagueName,
                      QWidget* parent = nullptr);
    // False when the league could not be read (the window then shows no charts and is not to be shown).
    bool isReady() const { return ready; }

private:
    bool ready = false;
};
