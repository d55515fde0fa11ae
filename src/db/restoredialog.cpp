#include "db/restoredialog.h"
#include "db/backuplist.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

RestoreDialog::RestoreDialog(const QList<tavorin::db::Backup>& backups, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sicherungenDialog"));
    setWindowTitle(QStringLiteral("Sicherung wiederherstellen"));
    view = new QTableView;
    view->setObjectName(QStringLiteral("sicherungenTableView"));
    view->setModel(new tavorin::db::BackupListModel(backups, view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    view->selectRow(0);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Cancel);
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QPushButton* wiederherstellen =
        knoepfe->addButton(QStringLiteral("Wiederherstellen"), QDialogButtonBox::AcceptRole);
    wiederherstellen->setObjectName(QStringLiteral("wiederherstellenButton"));
    wiederherstellen->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(view, &QTableView::doubleClicked, this, &QDialog::accept);

    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(view);
    spalte->addWidget(knoepfe);
    resize(760, 360);
}

int RestoreDialog::chosenRow() const {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
