// Placeholder until the window is ported.
#include "results/seasonchart.h"

SeasonChartWindow::SeasonChartWindow(const PageContext&, tavorin::Id, const QString&, QWidget* parent)
    : QDialog(parent) {}
