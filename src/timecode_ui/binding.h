#pragma once
// A read-write view of a value that someone else stores: the way a field reaches its
// caller's timecode, components or properties.

#include <functional>
#include <memory>
#include <utility>

namespace tallyvane {

template <typename T>
class Binding {
public:
    using Getter = std::function<T()>;
    using Setter = std::function<void(const T&)>;

    Binding(Getter get, Setter set) : get_(std::move(get)), set_(std::move(set)) {}

    // Reads always give the value; writes are dropped.
    static Binding constant(T value) {
        return Binding([value] { return value; }, [](const T&) {});
    }

    T get() const { return get_(); }
    void set(const T& value) const { set_(value); }

    // A binding to one part of this binding's value.
    template <typename Part, typename Read, typename Write>
    Binding<Part> projected(Read read, Write write) const {
        auto source = *this;
        return Binding<Part>([source, read] { return read(source.get()); },
                             [source, write](const Part& part) {
                                 T whole = source.get();
                                 write(whole, part);
                                 source.set(whole);
                             });
    }

private:
    Getter get_;
    Setter set_;
};

}  // namespace tallyvane
