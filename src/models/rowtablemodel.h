#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QPair>

// Roles every list model offers besides the displayed text.
namespace tavorin::models {
enum Role {
    IdRole = Qt::UserRole, // the row's id: player, league, assignment's player, match
    AssignmentRole,        // member lists: the assignment's id
    PlayerRole,            // a name cell: the id of the player it names
    PlatformNameRole,      // a name cell: that player's second (platform) name
    PlayedRole,            // match lists: the match has a result
};
} // namespace tavorin::models

// A table model over a list of rows that tells its views exactly which rows changed. Rows are told apart by
// a key (the row's id; a second row with the same id counts as another row), so that after a refresh a
// row that stays keeps its place and selection, and only the rows whose content changed are redrawn.
template <typename Row> class RowTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(list.size());
    }
    const QList<Row>& rows() const { return list; }
    const Row& row(int index) const { return list.at(index); }

protected:
    virtual qint64 key(const Row& row) const = 0;

    // Makes `fresh` the rows: removes the rows that are gone, inserts the new ones, moves those whose place
    // changed and redraws those whose content changed, each with its own notification.
    void sync(const QList<Row>& fresh) {
        if (list.isEmpty() || fresh.isEmpty()) {
            resetRows(fresh);
            return;
        }
        const QList<Key> want = keysOf(fresh);
        removeMissing(want);
        for (int i = 0; i < fresh.size(); ++i) {
            if (i >= keys.size() || keys[i] != want[i]) {
                const int from = int(keys.indexOf(want[i], i + 1));
                if (from < 0) {
                    beginInsertRows(QModelIndex(), i, i);
                    list.insert(i, fresh[i]);
                    keys.insert(i, want[i]);
                    endInsertRows();
                    continue;
                }
                beginMoveRows(QModelIndex(), from, from, QModelIndex(), i);
                list.move(from, i);
                keys.move(from, i);
                endMoveRows();
            }
            replaceRow(i, fresh[i]);
        }
    }
    // Shows other rows altogether, as when the list shows another league.
    void resetRows(const QList<Row>& fresh) {
        beginResetModel();
        list = fresh;
        keys = keysOf(list);
        endResetModel();
    }
    // Replaces the row at `at` (the same row, changed) and redraws it when it differs.
    void replaceRow(int at, const Row& fresh) {
        if (list[at] == fresh)
            return;
        list[at] = fresh;
        emit dataChanged(index(at, 0), index(at, columnCount() - 1));
    }
    void appendRow(const Row& fresh) {
        beginInsertRows(QModelIndex(), int(list.size()), int(list.size()));
        list.append(fresh);
        endInsertRows();
        keys = keysOf(list);
    }
    void removeRowAt(int at) {
        beginRemoveRows(QModelIndex(), at, at);
        list.removeAt(at);
        endRemoveRows();
        keys = keysOf(list);
    }
    // The first row with this id, or -1.
    int indexOfId(qint64 id) const {
        for (int i = 0; i < keys.size(); ++i) {
            if (keys[i].first == id)
                return i;
        }
        return -1;
    }

private:
    using Key = QPair<qint64, int>; // id and how many rows before it had the same id

    QList<Key> keysOf(const QList<Row>& rows) const {
        QHash<qint64, int> seen;
        QList<Key> out;
        out.reserve(rows.size());
        for (const Row& r : rows) {
            const qint64 k = key(r);
            out.append({k, seen[k]++});
        }
        return out;
    }
    void removeMissing(const QList<Key>& want) {
        QHash<Key, bool> wanted;
        for (const Key& k : want)
            wanted.insert(k, true);
        for (int i = int(keys.size()) - 1; i >= 0; --i) {
            if (wanted.contains(keys[i]))
                continue;
            int first = i;
            while (first > 0 && !wanted.contains(keys[first - 1]))
                --first;
            beginRemoveRows(QModelIndex(), first, i);
            list.remove(first, i - first + 1);
            keys.remove(first, i - first + 1);
            endRemoveRows();
            i = first;
        }
    }

    QList<Row> list;
    QList<Key> keys; // of `list`, in its order
};
