// Blocks of pieces laid out as one: finding them and placing them.
#include "areas/Blocks.h"

#include <numeric>
#include <unordered_set>

#include "areas/Staircase.h"
#include "platform/Element.h"

namespace tarsio {

std::vector<Block> blocksOf(const std::vector<int>& pieces,
                            const std::function<std::vector<int>(int)>& withGroup,
                            const ElementArray<ImageElement>& elements) {
  std::vector<Block> blocks;
  blocks.reserve(pieces.size());
  std::unordered_set<int> taken;  // pieces of grouped blocks made so far
  for (int piece : pieces) {
    if (taken.count(piece)) continue;
    Block block{withGroup(piece), elements(piece).boxTwips()};
    if (block.pieces.size() > 1)
      for (int member : block.pieces) {
        taken.insert(member);
        block.box |= elements(member).boxTwips();
      }
    blocks.push_back(std::move(block));
  }
  return blocks;
}

std::vector<Block> inPlacementOrder(const std::vector<Block>& blocks, const std::function<double()>& rnd) {
  std::vector<int> positions(blocks.size());
  std::iota(positions.begin(), positions.end(), 0);
  std::vector<Block> ordered;
  ordered.reserve(blocks.size());
  for (int k : placementOrder(std::move(positions), rnd)) ordered.push_back(blocks[k]);
  return ordered;
}

std::vector<int> piecesOf(const std::vector<Block>& blocks) {
  std::vector<int> pieces;
  for (const Block& block : blocks) pieces.insert(pieces.end(), block.pieces.begin(), block.pieces.end());
  return pieces;
}

void placeBlock(ElementArray<ImageElement>& elements, const Block& block, QPointF topLeft) {
  for (int piece : block.pieces) {
    ImageElement& element = elements(piece);
    element.Move(topLeft.x() + (element.Left() - block.box.left()),
                 topLeft.y() + (element.Top() - block.box.top()));
  }
}

}  // namespace tarsio
