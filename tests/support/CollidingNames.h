#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Section names made to collide under the hash the INI reader once indexed sections by: the low
// 32 bits of 64-bit FNV-1a over the case-folded code units. A name is a row of blocks of eight
// lower-case letters, block i one of two texts that take the hash from the same state to the same
// state, so that all 2^n names of n blocks share one hash.
namespace testsupport {

// That hash, of a name in lower case (which folding leaves as it is).
std::uint32_t FormerSectionHash(std::wstring_view name);

// `count` different lower-case names of one length and one FormerSectionHash.
std::vector<std::wstring> CollidingNames(size_t count);

}  // namespace testsupport
