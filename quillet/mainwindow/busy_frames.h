// SPDX-License-Identifier: MIT
#pragma once

namespace quillet
{

// The busy indicator: six frames shown in turn while a page loads, and an idle picture.
namespace busy_frames
{

inline constexpr int kFrameCount = 6;
inline constexpr int kIdlePicture = 7;

// 1, 2, ... 6, 1, ...
constexpr int next(int frame)
{
    return frame + 1 >= kFrameCount + 1 ? 1 : frame + 1;
}

} // namespace busy_frames

} // namespace quillet
