#pragma once

#include <QSortFilterProxyModel>

namespace tavorin::models {

// Sorts a player list by a clicked column without regard to case, and shows only the rows whose first or
// second name contains the search text (any case).
class NameFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit NameFilterProxy(QObject* parent = nullptr);
    void setSearchText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString search;
};

} // namespace tavorin::models
