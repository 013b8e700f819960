// The number of elements of a table, known where it is defined.
#pragma once
#include <cstddef>

template <typename T, std::size_t N> constexpr std::size_t countOf(const T (&)[N]) {
    return N;
}
