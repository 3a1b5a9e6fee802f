// Blocks: the pieces a command lays out as one rectangle, a group of joined pieces or a piece alone.
#pragma once

#include <QPointF>
#include <QRectF>
#include <functional>
#include <vector>

#include "platform/ElementArray.h"
#include "play/Groups.h"

namespace tarsio {

// Pieces laid out together: each keeps its place in the block's box (twips), which is placed as one.
struct Block {
  std::vector<int> pieces;
  QRectF box;
};

// The blocks of `pieces`: each piece of the list with its group of `groups` (or alone, and every piece
// alone without groups), in the order of the list, a block only once, its box around the boxes of its
// `elements`. A list of pieces that are all alone gives one block per piece, in the order of the list.
std::vector<Block> blocksOf(const std::vector<int>& pieces, const Groups* groups,
                            const ElementArray<ImageElement>& elements);

// The blocks in the order gathering places them: placementOrder() of their positions in the list, so
// that the first block is placed last.
std::vector<Block> inPlacementOrder(std::vector<Block> blocks, const std::function<double()>& rnd);

// Every piece of all the blocks, block after block.
std::vector<int> piecesOf(const std::vector<Block>& blocks);

// Moves the pieces of `block` so that its box's top-left corner comes to `topLeft`; a piece alone
// lies exactly there.
void placeBlock(ElementArray<ImageElement>& elements, const Block& block, QPointF topLeft);

}  // namespace tarsio
