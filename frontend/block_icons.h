#pragma once
// The tape browser's node pictures, drawn in code: one per kind of block.

#include <QIcon>

#include "tape/block_list.h"

namespace tarvolinde::block_icons {

// 16 x 16 picture of a node of this kind.
QIcon Block(BlockImage image);

}  // namespace tarvolinde::block_icons
