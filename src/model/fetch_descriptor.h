#pragma once
// What a fetch from the store asks for: the objects of one class that satisfy a predicate,
// in sort order, at most a given number of them.

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace tallyvane {

// `less` must be a strict weak ordering; `reverse` sorts by it in descending order.
template <class T>
struct SortDescriptor {
    std::function<bool(const T&, const T&)> less;
    bool reverse = false;
};

template <class T>
struct FetchDescriptor {
    std::function<bool(const T&)> predicate;  // empty: every object of the class
    std::vector<SortDescriptor<T>> sortBy;    // empty: insertion order
    std::optional<std::size_t> fetchLimit;    // empty: no limit
};

}  // namespace tallyvane
