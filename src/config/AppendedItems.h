#ifndef APPENDEDITEMS_H
#define APPENDEDITEMS_H

#include <QList>

#include <algorithm>

// What came into a list since it was last looked at, without going over what was seen before:
// a copy of the list is kept that shares its data, so that any change to the list detaches the
// list from the copy. Meant for lists that mostly grow at their end (queues), owned by others.
template <typename T>
class AppendedItems
{
public:
    // The items of `list` since the last call: the ones appended, or every item (and `*bWhole`
    // true) when the list changed otherwise. Nothing when the list did not change.
    QList<T> since(const QList<T> &list, bool *bWhole = nullptr)
    {
        if (bWhole)
            *bWhole = false;
        if (listSeen.isSharedWith(list))
            return QList<T>();
        const bool bGrown =
            list.size() >= listSeen.size() && std::equal(listSeen.cbegin(), listSeen.cend(), list.cbegin());
        const QList<T> items = bGrown ? list.mid(listSeen.size()) : list;
        if (bWhole)
            *bWhole = !bGrown;
        listSeen = list;
        return items;
    }

private:
    QList<T> listSeen;
};

#endif // APPENDEDITEMS_H
