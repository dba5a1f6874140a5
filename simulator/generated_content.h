// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace simulator
{

// Byte i of a generated update file. The i / 251 term breaks the period of 256 that a plain
// multiple would have, so a resume that lands at the wrong offset shows as wrong bytes.
constexpr char generatedByte(std::int64_t i)
{
    return static_cast<char>((i * 7 + i / 251) & 0xFF);
}

} // namespace simulator
