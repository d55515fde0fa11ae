#pragma once

#include "db/backups.h"

#include <QDialog>

class QTableView;

// "Sicherung wiederherstellen": the backups of the connected league file, newest first and preselected,
// with the league file each one is of. Accepted with "Wiederherstellen".
class RestoreDialog : public QDialog {
    Q_OBJECT

public:
    explicit RestoreDialog(const QList<tavorin::db::Backup>& backups, QWidget* parent = nullptr);

    // The row of the chosen backup; -1 when none is selected.
    int chosenRow() const;

private:
    QTableView* view = nullptr;
};
