#include "frontend/tnavegador.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "tape/tzx.h"
#include "tests/frontend/tape_images.h"

namespace tarvolinde::test {
namespace {

// Nodes: 0 the header, 1 a data block, 2 group "Juego" holding 3 and 4 and its
// end 5, then 6 a data block at the top level.
Bytes GroupedTzx() {
    Bytes tzx = TzxHeader();
    AppendTzxStandard(tzx, RomBlock(0xFF, {1}));
    for (const uint8_t b : Bytes{0x21, 5, 'J', 'u', 'e', 'g', 'o'}) tzx.push_back(b);
    AppendTzxStandard(tzx, RomBlock(0x00, CodeHeader("dentro", 2, 32768)));
    AppendTzxStandard(tzx, RomBlock(0xFF, {2, 3}));
    tzx.push_back(0x22);
    AppendTzxStandard(tzx, RomBlock(0xFF, {4}));
    return tzx;
}

QPushButton* Button(TNavegador& browser, const char* name) { return browser.findChild<QPushButton*>(name); }

TEST(TNavegadorTest, TheTreeShowsGroupsAsSubtrees) {
    TTzx tape(GroupedTzx());
    TNavegador browser(tape);
    EXPECT_EQ(browser.windowTitle(), "Navegador de cintas");
    QTreeWidget* tree = browser.Arbol();
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    QTreeWidgetItem* group = tree->topLevelItem(2);
    EXPECT_EQ(group->text(0), "Inicio grupo \"Juego\" {0005}");
    ASSERT_EQ(group->childCount(), 3);
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(group->child(1)->text(0), "Carga ROM, datos {0004}");
    EXPECT_EQ(group->child(2)->text(0), "Fin grupo {0000}");
}

TEST(TNavegadorTest, ChangingToANodeInsideAGroupCountsTheChildren) {
    TTzx tape(GroupedTzx());
    TNavegador browser(tape);
    browser.show();
    browser.Arbol()->setCurrentItem(browser.Arbol()->topLevelItem(2)->child(1));  // node 4
    Button(browser, "SpeedButton1")->click();
    // The tape stands before block 4, so that it plays next.
    EXPECT_EQ(tape.BlockIndex(), 3);
    EXPECT_EQ(browser.result(), QDialog::Accepted);
    EXPECT_FALSE(browser.isVisible());
}

TEST(TNavegadorTest, WithNothingSelectedTheButtonDoesNothing) {
    TTzx tape(GroupedTzx());
    const int32_t before = tape.BlockIndex();
    TNavegador browser(tape);
    browser.show();
    browser.Arbol()->clearSelection();
    Button(browser, "SpeedButton1")->click();
    EXPECT_EQ(tape.BlockIndex(), before);
    EXPECT_TRUE(browser.isVisible());
    Button(browser, "SpeedButton2")->click();
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(tape.BlockIndex(), before);
}

TEST(TNavegadorTest, ShowingSelectsTheBlockBeingPlayed) {
    TTzx tape(GroupedTzx());
    tape.GoToBlock(5);  // block 4 is the one played last
    ASSERT_EQ(tape.BlockIndex(), 4);
    TNavegador browser(tape);
    browser.show();
    const QList<QTreeWidgetItem*> selected = browser.Arbol()->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front(), browser.Arbol()->topLevelItem(2)->child(1));

    // At the header (index 0) nothing is selected.
    TTzx fresh(GroupedTzx());
    TNavegador other(fresh);
    other.show();
    EXPECT_TRUE(other.Arbol()->selectedItems().isEmpty());
}

}  // namespace
}  // namespace tarvolinde::test
