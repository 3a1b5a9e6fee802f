// Blocks of pieces laid out as one: finding them and placing them.
#include "areas/Blocks.h"

#include <numeric>
#include <unordered_set>

#include "areas/Staircase.h"
#include "platform/Element.h"

namespace tarsio {

std::vector<Block> blocksOf(const std::vector<int>& pieces, const Groups* groups,
                            const ElementArray<ImageElement>& elements) {
  std::vector<Block> blocks;
  blocks.reserve(pieces.size());
  std::unordered_set<int> taken;  // the groups whose blocks are made
  for (int piece : pieces) {
    const int group = groups ? groups->groupOf(piece) : Groups::None;
    if (group == Groups::None) {
      blocks.push_back({{piece}, elements(piece).boxTwips()});
      continue;
    }
    if (!taken.insert(group).second) continue;
    Block block{groups->members(group), elements(piece).boxTwips()};
    for (int member : block.pieces) block.box |= elements(member).boxTwips();
    blocks.push_back(std::move(block));
  }
  return blocks;
}

std::vector<Block> inPlacementOrder(std::vector<Block> blocks, const std::function<double()>& rnd) {
  std::vector<int> positions(blocks.size());
  std::iota(positions.begin(), positions.end(), 0);
  std::vector<Block> ordered;
  ordered.reserve(blocks.size());
  for (int k : placementOrder(std::move(positions), rnd)) ordered.push_back(std::move(blocks[k]));
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
