#include "namefilterproxy.h"

namespace tavorin::models {

NameFilterProxy::NameFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
}

void NameFilterProxy::setSearchText(const QString& text) {
    search = text;
    invalidateFilter();
}

bool NameFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (search.isEmpty())
        return true;
    for (int column = 1; column <= 2; ++column) {
        const QModelIndex cell = sourceModel()->index(sourceRow, column, sourceParent);
        if (cell.data().toString().contains(search, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace tavorin::models
