#include "output/OctreeQuantizer.h"

#include <stdexcept>

namespace sm {

OctreeQuantizer::OctreeQuantizer(int maxColors) : maxColors_(maxColors)
{
    if (maxColors < 1)
        throw std::invalid_argument("An octree needs room for at least one colour");
    for (std::int32_t& head : reducible_)
        head = -1;
    root_ = createNode(0);
}

std::int32_t OctreeQuantizer::createNode(int level)
{
    std::int32_t index;
    if (freeNodes_.empty()) {
        index = static_cast<std::int32_t>(nodes_.size());
        nodes_.emplace_back();
    } else {
        index = freeNodes_.back();
        freeNodes_.pop_back();
        nodes_[index] = Node();
    }
    Node& node = nodes_[index];
    if (level == kDepth) {
        node.leaf = true;
        ++leafCount_;
    } else {
        node.nextReducible = reducible_[level];
        reducible_[level] = index;
    }
    return index;
}

void OctreeQuantizer::addColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const std::uint32_t color = (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue;
    std::int32_t index = root_;
    if (lastLeaf_ >= 0 && color == lastColor_) {
        index = lastLeaf_;
    } else {
        for (int level = 0; !nodes_[index].leaf; ++level) {
            const int shift = 7 - level;
            const int branch = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
            std::int32_t next = nodes_[index].child[branch];
            if (next < 0) {
                next = createNode(level + 1);  // may move nodes_, so index again below
                nodes_[index].child[branch] = next;
            }
            index = next;
        }
    }
    Node& leaf = nodes_[index];
    leaf.redSum += red;
    leaf.greenSum += green;
    leaf.blueSum += blue;
    ++leaf.pixelCount;
    lastLeaf_ = index;
    lastColor_ = color;
    if (leafCount_ > maxColors_) {
        while (leafCount_ > maxColors_)
            reduce();
        lastLeaf_ = -1;
    }
}

void OctreeQuantizer::addPicture(const Bitmap& picture24)
{
    if (picture24.bitsPerPixel() != 24)
        throw std::invalid_argument("The octree quantiser reads 24-bit pictures");
    for (int y = 0; y < picture24.height(); ++y) {
        const std::uint8_t* p = picture24.row(y);
        for (int x = 0; x < picture24.width(); ++x, p += 3)
            addColor(p[2], p[1], p[0]);
    }
}

void OctreeQuantizer::reduce()
{
    int level = kDepth - 1;
    while (level > 0 && reducible_[level] < 0)
        --level;
    const std::int32_t index = reducible_[level];
    Node& node = nodes_[index];
    reducible_[level] = node.nextReducible;
    // The deepest level with children has only leaves below it.
    for (std::int32_t& child : node.child) {
        if (child < 0)
            continue;
        const Node& c = nodes_[child];
        node.redSum += c.redSum;
        node.greenSum += c.greenSum;
        node.blueSum += c.blueSum;
        node.pixelCount += c.pixelCount;
        freeNodes_.push_back(child);
        child = -1;
        --leafCount_;
    }
    node.leaf = true;
    ++leafCount_;
}

void OctreeQuantizer::collect(std::int32_t index, std::vector<PaletteEntry>& out) const
{
    const Node& node = nodes_[index];
    if (node.leaf) {
        if (node.pixelCount > 0)
            out.push_back(PaletteEntry{std::uint8_t(node.blueSum / node.pixelCount),
                                       std::uint8_t(node.greenSum / node.pixelCount),
                                       std::uint8_t(node.redSum / node.pixelCount), 0});
        return;
    }
    for (std::int32_t child : node.child)
        if (child >= 0)
            collect(child, out);
}

std::vector<PaletteEntry> OctreeQuantizer::palette() const
{
    std::vector<PaletteEntry> out;
    collect(root_, out);
    return out;
}

}  // namespace sm
