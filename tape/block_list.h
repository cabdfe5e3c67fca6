#pragma once
// The block list of the inserted tape, as the tape browser shows it: one node
// per block, with groups and loops as subtrees. Each tape fills it when it is
// created, and positioning the tape at block n reads the block's stream offset
// from the n-th node (nodes counted in display order, children included).
//
// Nodes are only ever added as the last child of the open group, so display
// order is insertion order: the list is kept flat, each node knowing its
// parent, and the front end builds its tree from that.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tape/byte_cursor.h"

namespace tarvolinde {

// What the tape needs to find a block again.
struct TBloque {
    uint32_t Position = 0;  // stream offset at which the block is re-read
    uint32_t Length = 0;    // length of the block body after the fields read before the node was built
    uint8_t Kind = 0;       // TZX block ID; 0x10 for TAP blocks, 0x14 for the sampled formats
};

// The picture of a node in the browser's image list.
enum class BlockImage : uint8_t {
    RomBlock = 0,        // 0x10
    TurboBlock = 1,      // 0x11
    PureTone = 2,        // 0x12
    PulseSequence = 3,   // 0x13
    PureData = 4,        // 0x14 and the sampled formats
    DirectRecording = 5, // 0x15
    GroupStart = 6,      // 0x21
    GroupOrLoop = 7,     // 0x22, 0x24, 0x25
    Other = 8,
};

struct BlockNode {
    std::string Text;    // UTF-8
    BlockImage Image = BlockImage::Other;
    TBloque Block;
    int32_t Parent = -1; // index of the parent node, -1 at the top level
    int32_t Depth = 0;   // 0 at the top level
};

class BlockList {
public:
    // More blocks than any real tape holds: a file that claims more is refused.
    static constexpr size_t kMaxBlocks = 65536;

    void ClearBlocks();

    // Builds the node of one block from the bytes that describe it, which start
    // at the cursor's position and run for `length` bytes (reads beyond them give
    // 0), adds it under the open group, and leaves the cursor at its entry
    // position + length. Throws TapeFormatError past kMaxBlocks.
    void AddBlockNode(uint32_t position, uint32_t length, ByteCursor& stream, uint8_t kind);

    size_t Count() const { return nodes_.size(); }
    bool Empty() const { return nodes_.empty(); }
    const std::vector<BlockNode>& Nodes() const { return nodes_; }
    // The node with this absolute index, or null when there is none.
    const BlockNode* NodeAt(int64_t index) const {
        return index >= 0 && index < int64_t(nodes_.size()) ? &nodes_[size_t(index)] : nullptr;
    }

private:
    std::vector<BlockNode> nodes_;
    int32_t groupParent_ = -1;
};

// The text of a node, as the browser shows it. `body` holds the bytes the node
// builder reads (the block body after the fields read before it).
std::string BlockNodeText(uint8_t kind, uint32_t length, std::span<const uint8_t> body);

}  // namespace tarvolinde
