#pragma once
// How many edits have begun in this program so far. A refusal checks before it opens an edit,
// so that it copies nothing; the tests compare the count around an operation.

#include <cstddef>

namespace plandor {

std::size_t editsBegunSoFar();

} // namespace plandor
