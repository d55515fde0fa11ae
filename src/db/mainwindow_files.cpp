#include "app/mainwindow.h"

// Placeholder until the file commands are built.
void MainWindow::DatenbankImportieren() {}
void MainWindow::DatenbankSpeichern() {}
void MainWindow::PfadMerken(const QString&) {}
