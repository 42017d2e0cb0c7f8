#pragma once

#include "diagnostics/VantaError.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace vanta::sale {

// Error numbers of the ordered collections below.
enum CollectionError {
    ErrInvalidKey = 5,          // no element has the given key
    ErrSubscriptOutOfRange = 9, // position outside 1..count
    ErrDuplicateKey = 457       // an element already has the key
};

// Elements in insertion order, reachable by 1-based position or by an
// optional unique key; positions close up when an element is removed.
// Elements are shared so that a caller can keep one after it is removed.
template <typename T>
class OrderedCollection {
public:
    using Ptr = std::shared_ptr<T>;
    using const_iterator = typename std::vector<Ptr>::const_iterator;

    int count() const { return int(mItems.size()); }
    const_iterator begin() const { return mItems.begin(); }
    const_iterator end() const { return mItems.end(); }

    // Appends the element; an empty key adds it without one.
    void add(Ptr item, const QString &key = QString())
    {
        if (!key.isEmpty() && mByKey.contains(key))
            throw VantaError(ErrDuplicateKey,
                             QStringLiteral("This key is already associated with an element of this collection"),
                             source());
        mItems.push_back(item);
        mKeys.push_back(key);
        if (!key.isEmpty())
            mByKey.insert(key, std::move(item));
    }

    const Ptr &item(int position) const
    {
        checkPosition(position);
        return mItems[size_t(position - 1)];
    }

    bool contains(const QString &key) const { return !key.isEmpty() && mByKey.contains(key); }

    const Ptr &item(const QString &key) const
    {
        auto it = mByKey.constFind(key);
        if (it == mByKey.constEnd())
            throwInvalidKey();
        return it.value();
    }

    void remove(int position)
    {
        checkPosition(position);
        const size_t i = size_t(position - 1);
        if (!mKeys[i].isEmpty())
            mByKey.remove(mKeys[i]);
        mItems.erase(mItems.begin() + std::ptrdiff_t(i));
        mKeys.erase(mKeys.begin() + std::ptrdiff_t(i));
    }

    void remove(const QString &key)
    {
        for (size_t i = 0; i < mKeys.size(); ++i)
            if (!key.isEmpty() && mKeys[i] == key) {
                remove(int(i) + 1);
                return;
            }
        throwInvalidKey();
    }

    void clear()
    {
        mItems.clear();
        mKeys.clear();
        mByKey.clear();
    }

private:
    static QString source() { return QStringLiteral("Collection"); }

    void checkPosition(int position) const
    {
        if (position < 1 || position > count())
            throw VantaError(ErrSubscriptOutOfRange, QStringLiteral("Subscript out of range"), source());
    }

    [[noreturn]] static void throwInvalidKey()
    {
        throw VantaError(ErrInvalidKey, QStringLiteral("Invalid procedure call or argument"), source());
    }

    std::vector<Ptr> mItems;
    std::vector<QString> mKeys;
    QHash<QString, Ptr> mByKey;
};

} // namespace vanta::sale
