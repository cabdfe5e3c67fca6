#include "frontend/tdebug.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "machine/machine_factory.h"
#include "machine/sp.h"

namespace tarvolinde {
namespace {

// 8000h: CALL 9000h; CALL 9000h; JR $ ... 9000h: INC A; RET
TEST(TDebugTest, StepsStepsOverACallRunsToABreakpointAndEditsARegister) {
    auto machine = CreateMachine(kModel48K, [](std::string_view) { return std::vector<uint8_t>(4 * kPageSize, 0xC9); });
    Z80& cpu = machine->cpu;
    cpu.IFF1 = 0;
    cpu.PC.w = 0x8000;
    cpu.SP.w = 0xF000;
    const uint8_t code[] = {0xCD, 0x00, 0x90, 0xCD, 0x00, 0x90, 0x18, 0xFE};
    for (uint16_t i = 0; i < sizeof code; ++i) cpu.WriteByteFree(uint16_t(0x8000 + i), code[i]);
    cpu.WriteByteFree(0x9000, 0x3C);
    cpu.WriteByteFree(0x9001, 0xC9);

    int redraws = 0;
    DebugHost host;
    host.Redraw = [&] { ++redraws; };
    TDebug window(*machine, host);
    QString answer;
    window.Ask = [&](const QString&, const QString&, const QString&) { return std::optional<QString>(answer); };
    window.show();
    const auto click = [&](const char* name) { window.findChild<QToolButton*>(name)->click(); };
    const auto top = [&](int column) { return window.findChild<QTreeWidget*>("Lista")->topLevelItem(0)->text(column); };
    auto* pc = window.findChild<QLineEdit*>("E_PC");
    EXPECT_EQ(top(2), "CALL 9000");
    EXPECT_EQ(top(1), "cd 00 90");
    EXPECT_EQ(pc->palette().color(QPalette::Text), QColor(Qt::red));  // every value is new at first

    click("SpeedButton1");
    EXPECT_EQ(pc->text(), "9000");
    EXPECT_EQ(top(2), "INC A");
    EXPECT_EQ(redraws, 1);
    click("SpeedButton1");
    click("SpeedButton1");
    EXPECT_EQ(cpu.PC.w, 0x8003);
    click("SpeedButton3");  // over the second CALL
    EXPECT_EQ(cpu.PC.w, 0x8006);
    EXPECT_EQ(cpu.A(), 0x01);  // AF starts at FFFF: two INC A

    answer = "9001";
    click("BPA");
    EXPECT_EQ(window.findChild<QListWidget*>("L_BP")->item(0)->text(), "9001");
    // PC := 8000 through the registers' pop-up menu.
    answer = "8000";
    emit pc->customContextMenuRequested(QPoint());
    auto* menu = window.findChild<QMenu*>("PUM");
    menu->close();
    menu->actions().front()->menu()->actions().back()->trigger();
    EXPECT_EQ(cpu.PC.w, 0x8000);
    click("E_P");
    EXPECT_EQ(cpu.PC.w, 0x9001);
    EXPECT_EQ(top(0), "9001");
    EXPECT_FALSE(window.findChild<QToolButton*>("E_P")->isChecked());
}

}  // namespace
}  // namespace tarvolinde
