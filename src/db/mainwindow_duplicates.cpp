#include "app/mainwindow.h"

// Placeholder until the duplicate check is built.
void MainWindow::DBpruefen() {}
void MainWindow::DBdoppelLoeschen() {}
void MainWindow::DoppelteGruppeAufbauen(QGroupBox*) {}
