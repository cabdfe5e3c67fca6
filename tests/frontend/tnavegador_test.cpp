#include "frontend/tnavegador.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "tape/tzx.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// Nodes: 0 the header, 1 a data block, 2 group "Juego" holding 3 and 4 and its
// end 5, then 6 a data block and 7 a text at the top level.
Bytes GroupedTzx() {
    Bytes tzx = TzxHeader();
    const auto standard = [&](const Bytes& block) {
        Append(tzx, {0x10, 0xE8, 0x03});  // standard speed, 1000 ms pause
        AppendWord(tzx, uint32_t(block.size()));
        tzx.insert(tzx.end(), block.begin(), block.end());
    };
    standard(RomBlock(0xFF, {1}));
    Append(tzx, {0x21, 5, 'J', 'u', 'e', 'g', 'o'});
    standard(RomBlock(0x00, HeaderBody(3, "dentro", 2, 32768)));
    standard(RomBlock(0xFF, {2, 3}));
    tzx.push_back(0x22);
    standard(RomBlock(0xFF, {4}));
    Append(tzx, {0x30, 7, 'L', 'a', 'd', 'o', '\r', 'B', 0});
    return tzx;
}

TEST(TNavegadorTest, GroupsAreSubtreesTheBlockToPlayIsSelectedAndTheButtonMovesTheTape) {
    TTzx tape(GroupedTzx());
    const auto click = [](TNavegador& browser, const char* button) { browser.findChild<QPushButton*>(button)->click(); };
    TNavegador fresh(tape);  // a fresh tape plays the block after the header next
    fresh.show();
    EXPECT_EQ(fresh.Arbol()->selectedItems(), QList<QTreeWidgetItem*>{fresh.Arbol()->topLevelItem(1)});
    fresh.Arbol()->clearSelection();
    click(fresh, "SpeedButton1");  // with nothing selected the button does nothing
    EXPECT_EQ(tape.BlockIndex(), 0);
    EXPECT_TRUE(fresh.isVisible());
    click(fresh, "SpeedButton2");  // closing moves nothing
    EXPECT_FALSE(fresh.isVisible());

    tape.GoToBlock(5);  // block 5 plays next
    TNavegador browser(tape);
    browser.resize(700, 500);  // it is resizable, and the tree takes the room
    QTreeWidget* tree = browser.Arbol();
    ASSERT_EQ(tree->topLevelItemCount(), 5);
    EXPECT_EQ(tree->topLevelItem(4)->text(0), "Texto \"Lado B\" {0007}");
    QTreeWidgetItem* group = tree->topLevelItem(2);
    EXPECT_EQ(group->text(0), "Inicio grupo \"Juego\" {0005}");
    ASSERT_EQ(group->childCount(), 3);
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(group->child(2)->text(0), "Fin grupo {0000}");
    browser.show();
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{group->child(2)});
    EXPECT_GT(tree->width(), 650);
    tree->setCurrentItem(group->child(0));  // node 3, counted inside its group
    click(browser, "SpeedButton1");
    EXPECT_EQ(tape.BlockIndex(), 2);  // before block 3, so that it plays next
    EXPECT_EQ(browser.result(), QDialog::Accepted);
    EXPECT_FALSE(browser.isVisible());
}

}  // namespace
}  // namespace tarvolinde::test
