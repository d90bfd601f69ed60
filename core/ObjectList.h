#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/Failure.h"

// An ordered list that owns its elements; deleting the list deletes them.
template <class T> class ObjectList {
public:
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

    // The element at a 0-based index; fails with "Not Found" when there is none.
    T& At(long long index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
            ThrowNotFound();
        return *items_[static_cast<std::size_t>(index)];
    }

    // The element at an index, or none.
    T* Find(long long index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
            return nullptr;
        return items_[static_cast<std::size_t>(index)].get();
    }

    T& Append(std::unique_ptr<T> item) {
        items_.push_back(std::move(item));
        return *items_.back();
    }

    void RemoveFirst() {
        if (!items_.empty())
            items_.erase(items_.begin());
    }

    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};
