#include <gtest/gtest.h>

#include "tape/block_list.h"
#include "tape/tap.h"
#include "tape/tape_error.h"
#include "tape/tzx.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

std::string TextOf(uint8_t kind, const Bytes& body) { return BlockNodeText(kind, uint32_t(body.size()), body); }

TEST(BlockTexts, RomBlocks) {
    EXPECT_EQ(TextOf(0x10, RomBlock(0xFF, Bytes(788, 0))), "Carga ROM, datos {0316}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, HeaderBody(3, "pantalla", 6912, 16384))),
              "Carga ROM, cabecera, (Código, \"pantalla  \" [1B00, 4000]) {0013}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, HeaderBody(0, "run", 300, 10))),
              "Carga ROM, cabecera, (Programa, \"run       \") {0013}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, HeaderBody(1, "n", 5, 0))),
              "Carga ROM, cabecera, (Matriz numérica, \"n         \") {0013}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, HeaderBody(2, "s", 5, 0))),
              "Carga ROM, cabecera, (Matriz alfanumérica, \"s         \") {0013}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, HeaderBody(9, "x", 5, 0))), "Carga ROM, cabecera, (, \"x         \") {0013}");
    // A flag of 0 on a block that is not 19 bytes long is no header.
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, Bytes(18, 0))), "Carga ROM, ¿0? {0014}");
    EXPECT_EQ(TextOf(0x10, RomBlock(0x7F, Bytes(2, 0))), "Carga ROM, ¿127? {0004}");
    EXPECT_EQ(TextOf(0x10, Bytes{}), "Carga ROM, ¿0? {0000}");
    // Names end at the first zero byte; bytes above 0x7F are Latin-1.
    Bytes named = HeaderBody(0, "", 1, 1);
    named[1] = 0xAA;
    named[2] = 'b';
    named[3] = 0;
    EXPECT_EQ(TextOf(0x10, RomBlock(0x00, named)), "Carga ROM, cabecera, (Programa, \"\xC2\xAA" "b\") {0013}");
}

TEST(BlockTexts, OtherKinds) {
    EXPECT_EQ(TextOf(0x11, Bytes(300, 0)), "Carga Turbo {012C}");
    EXPECT_EQ(TextOf(0x15, Bytes(2, 0)), "Grabación directa {0002}");
    EXPECT_EQ(TextOf(0x21, Bytes{'J', 'u', 'e', 'g', 'o'}), "Inicio grupo \"Juego\" {0005}");
    EXPECT_EQ(TextOf(0x2A, Bytes{}), "Detener en 48k {0000}");
    EXPECT_EQ(TextOf(0x32, Bytes(70000, 0)), "Información {11170}");
    EXPECT_EQ(TextOf(0x5A, Bytes(9, 0)), "Mezcla {0009}");
    EXPECT_EQ(TextOf(0x16, Bytes{}), "¿? {0000}");
}

TEST(BlockTree, GroupsAndLoopsAreSubtrees) {
    Bytes tzx = TzxHeader();
    Append(tzx, {0x21, 1, 'A'});         // 1 group A
    Append(tzx, {0x21, 1, 'B'});         // 2   group B
    Append(tzx, {0x12, 1, 0, 1, 0});     // 3     tone
    Append(tzx, {0x22});                 // 4     group end (B's last child)
    Append(tzx, {0x24, 2, 0});           // 5   loop start
    Append(tzx, {0x20, 1, 0});           // 6     pause
    Append(tzx, {0x25});                 // 7     loop end
    Append(tzx, {0x22});                 // 8   group end
    Append(tzx, {0x22});                 // 9 group end at the top level
    Append(tzx, {0x30, 0});              // 10 text
    const TTzx tape(tzx);
    const auto& nodes = tape.Blocks().Nodes();
    ASSERT_EQ(nodes.size(), 11u);
    const std::vector<int32_t> parents = {-1, -1, 1, 2, 2, 1, 5, 5, 1, -1, -1};
    for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(nodes[i].Parent, parents[i]) << "node " << i;
    EXPECT_EQ(nodes[3].Depth, 2);
    EXPECT_EQ(nodes[0].Text, "Mezcla {0009}");
    EXPECT_EQ(nodes[1].Image, BlockImage::GroupStart);
    EXPECT_EQ(nodes[5].Image, BlockImage::GroupOrLoop);
    EXPECT_EQ(nodes[3].Block.Position, 16u);
    EXPECT_EQ(nodes[3].Block.Length, 4u);
}

TEST(BlockTree, ChoosingANodeInsideAGroupMovesTheTapeThere) {
    Bytes tzx = TzxHeader();
    Append(tzx, {0x21, 0});
    Append(tzx, {0x12, 100, 0, 1, 0});
    Append(tzx, {0x12, 200, 0, 1, 0});
    Append(tzx, {0x22});
    Append(tzx, {0x12, 0x30, 0x75, 1, 0});
    TTzx tape(tzx);
    auto machine = DeckMachine();
    tape.FastLoad = false;
    tape.Attach(machine.get());
    tape.GoToBlock(3);
    EXPECT_EQ(tape.BlockIndex(), 2);
    tape.Play();
    EXPECT_EQ(EdgeTimes(tape, *machine, 1000), (std::vector<uint64_t>{200}));
    EXPECT_EQ(tape.BlockIndex(), 5);  // on to the tone after the group
}

TEST(BlockTree, TapBlocksAndAbsurdCounts) {
    const TTap tape(TapOf({RomBlock(0x00, HeaderBody(0, "p", 2, 0)), RomBlock(0xFF, {1, 2})}));
    ASSERT_EQ(tape.Blocks().Count(), 2u);
    EXPECT_EQ(tape.Blocks().Nodes()[1].Block.Position, 21u);
    EXPECT_EQ(tape.Blocks().Nodes()[1].Block.Length, 4u);
    EXPECT_EQ(tape.Blocks().Nodes()[1].Block.Kind, 0x10);
    // Two-byte blocks of nothing: more than any tape has.
    EXPECT_THROW(TTap{Bytes(2 * (BlockList::kMaxBlocks + 1), 0)}, TapeFormatError);
}

}  // namespace
}  // namespace tarvolinde::test
