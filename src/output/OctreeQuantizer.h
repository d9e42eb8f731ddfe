#pragma once

#include <cstdint>
#include <vector>

#include "common/Bitmap.h"

namespace sm {

// An octree colour quantiser with 8 bits per channel: every colour added goes down the
// tree to a leaf; whenever the tree holds more than `maxColors` leaves, the most recently
// created node of the deepest level that still has children is merged into one leaf.
// The palette is the mean colour of each leaf.
class OctreeQuantizer {
public:
    // Throws std::invalid_argument when maxColors is below 1.
    explicit OctreeQuantizer(int maxColors);

    void addColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // Adds every pixel of a 24-bit picture, row by row.
    void addPicture(const Bitmap& picture24);

    int leafCount() const { return leafCount_; }
    // At most maxColors entries, one per leaf, in depth-first order of the tree.
    std::vector<PaletteEntry> palette() const;

private:
    static constexpr int kDepth = 8;
    struct Node {
        std::uint64_t redSum = 0, greenSum = 0, blueSum = 0, pixelCount = 0;
        std::int32_t child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        std::int32_t nextReducible = -1;
        bool leaf = false;
    };

    std::int32_t createNode(int level);
    void reduce();
    void collect(std::int32_t node, std::vector<PaletteEntry>& out) const;

    int maxColors_;
    int leafCount_ = 0;
    std::vector<Node> nodes_;
    std::vector<std::int32_t> freeNodes_;
    std::int32_t reducible_[kDepth];
    std::int32_t root_;
    // The leaf the previous colour ended in, so that runs of one colour skip the descent.
    std::int32_t lastLeaf_ = -1;
    std::uint32_t lastColor_ = 0;
};

}  // namespace sm
