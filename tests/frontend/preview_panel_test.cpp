#include "frontend/preview_panel.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/frontend/tape_images.h"

namespace tarvolinde::test {
namespace {

// The colour the pattern screen gives at (x, y), worked out independently of the renderer.
QRgb PatternColour(int x, int y) {
    const uint8_t pixels = (y & 1) ? 0x0F : 0xF0;
    const bool ink = (pixels >> (7 - x % 8)) & 1;
    const bool special = y / 8 == 1 && x / 8 == 3;
    const int index = special ? (ink ? 15 : 8) : (ink ? 2 : 1);
    return 0xFF000000u | Palette32[size_t(index)];
}

void ExpectPattern(const QImage& picture) {
    ASSERT_EQ(picture.size(), QSize(256, 192));
    int wrong = 0;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) wrong += picture.pixel(x, y) != PatternColour(x, y);
    EXPECT_EQ(wrong, 0);
}

void ExpectUnavailable(const FilePreviewPanel& panel) {
    EXPECT_TRUE(panel.Caption().isEmpty());
    const QImage& picture = panel.Picture();
    ASSERT_EQ(picture.size(), QSize(256, 192));
    // The top and the left of the ring, then the black inside it and outside it.
    for (const QPoint on : {QPoint(128, 10), QPoint(42 + 2, 96)}) {
        const QColor c = picture.pixelColor(on);
        EXPECT_TRUE(c.red() > 200 && c.green() < 60 && c.blue() < 60) << on.x() << "," << on.y();
    }
    EXPECT_EQ(picture.pixel(128, 50), 0xFF000000u);
    EXPECT_EQ(picture.pixel(2, 2), 0xFF000000u);
    // The green text across the middle.
    bool green = false;
    for (int x = 60; x < 196 && !green; ++x)
        for (int y = 86; y < 106 && !green; ++y) {
            const QColor c = picture.pixelColor(x, y);
            green = c.green() > 100 && c.red() < 60;
        }
    EXPECT_TRUE(green);
}

Bytes ScreenTap() {
    return TapOf({RomBlock(0x00, CodeHeader("pantalla", 6912, 16384)), RomBlock(0xFF, PatternScreen())});
}

class PreviewPanelTest : public testing::Test {
protected:
    QString Write(const QString& name, const Bytes& bytes) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(PreviewPanelTest, ATapeShowsItsScreenAndDescription) {
    FilePreviewPanel panel(PreviewKind::Tape);
    panel.ShowFile(Write("juego.tap", ScreenTap()));
    EXPECT_EQ(panel.Caption(), "(juego.tap, TAP (Z80))");
    ExpectPattern(panel.Picture());

    // A tape without a screen shows the cleared screen: black, since every cell is 0.
    panel.ShowFile(Write("sin.tap", TapOf({RomBlock(0xFF, {1, 2, 3})})));
    EXPECT_EQ(panel.Caption(), "(sin.tap, TAP (Z80))");
    EXPECT_EQ(panel.Picture().pixel(128, 10), 0xFF000000u);
}

TEST_F(PreviewPanelTest, ASnapshotShowsItsScreen) {
    Bytes sna(27, 0);
    const Bytes screen = PatternScreen();
    sna.insert(sna.end(), screen.begin(), screen.end());
    sna.resize(49179, 0);
    FilePreviewPanel panel(PreviewKind::Snapshot);
    panel.ShowFile(Write("foto.sna", sna));
    EXPECT_EQ(panel.Caption(), "(foto.sna, 48Kb)");
    ExpectPattern(panel.Picture());
}

TEST_F(PreviewPanelTest, WhatCannotBeShownGivesTheRingAndNoCaption) {
    FilePreviewPanel tapes(PreviewKind::Tape);
    ExpectUnavailable(tapes);  // nothing chosen yet
    const QString good = Write("juego.tap", ScreenTap());
    const QString paths[] = {
        Write("roto.wav", Bytes{'n', 'o', ' ', 'w', 'a', 'v'}),  // damaged
        Write("roto.tap", Bytes(2 * 70000, 0)),                   // more blocks than allowed
        Write("juego.zip", ScreenTap()),                          // archives are not opened
        Write("juego.txt", ScreenTap()),                          // no class for the kind
        dir_.filePath("falta.tap"),                               // absent
        dir_.path(),                                              // a directory
        QString(),
    };
    for (const QString& path : paths) {
        tapes.ShowFile(good);
        ASSERT_FALSE(tapes.Caption().isEmpty());
        tapes.ShowFile(path);
        SCOPED_TRACE(path.toStdString());
        ExpectUnavailable(tapes);
    }

    // A tape file read by the snapshot dialog, and a snapshot of the wrong size.
    FilePreviewPanel snapshots(PreviewKind::Snapshot);
    snapshots.ShowFile(good);
    ExpectUnavailable(snapshots);
    snapshots.ShowFile(Write("corta.sna", Bytes(1000, 0)));
    ExpectUnavailable(snapshots);
}

TEST_F(PreviewPanelTest, AHugeFileIsNotRead) {
    // A valid tape, but over the size limit: its screen must not be shown.
    Bytes tap = ScreenTap();
    const Bytes filler = TapOf({Bytes(65535, 0)});
    for (int i = 0; i < 260; ++i) tap.insert(tap.end(), filler.begin(), filler.end());
    ASSERT_GT(tap.size(), 16u * 1024 * 1024);
    FilePreviewPanel panel(PreviewKind::Tape);
    panel.ShowFile(Write("enorme.tap", tap));
    ExpectUnavailable(panel);
}

TEST_F(PreviewPanelTest, TheDialogGetsAColumnThatFollowsTheCurrentFile) {
    QFileDialog dialog;
    FilePreviewPanel* panel = AttachPreviewPanel(dialog, PreviewKind::Tape);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parent(), &dialog);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    ASSERT_NE(grid, nullptr);
    const int at = grid->indexOf(panel);
    ASSERT_GE(at, 0);
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(at, &row, &column, &rows, &columns);
    EXPECT_EQ(column, grid->columnCount() - 1);
    EXPECT_EQ(rows, grid->rowCount());

    emit dialog.currentChanged(Write("juego.tap", ScreenTap()));
    EXPECT_EQ(panel->Caption(), "(juego.tap, TAP (Z80))");
}

}  // namespace
}  // namespace tarvolinde::test
