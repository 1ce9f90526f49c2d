#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

// A control array of the window: a std::array of controls whose elements are reached by the
// design's index, an int ("chkOptions(7)"), or by an enumerator that names the element.
template <typename Control, std::size_t N> struct ControlArray : std::array<Control*, N> {
    template <typename Index> Control*& operator[](Index i) { return this->at(Position(i)); }
    template <typename Index> Control* operator[](Index i) const { return this->at(Position(i)); }

    static constexpr int Count() { return static_cast<int>(N); }

private:
    template <typename Index> static std::size_t Position(Index i) {
        static_assert(std::is_enum_v<Index> || std::is_same_v<Index, int>, "an int or an enumerator");
        return static_cast<std::size_t>(i);
    }
};
