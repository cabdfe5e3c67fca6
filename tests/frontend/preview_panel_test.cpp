#include "frontend/preview_panel.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "machine/video/screen_tables.h"
#include "tests/snapshots/zip_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// Pixel lines alternate 0xF0 and 0x0F; every cell is red ink on blue paper but
// one, bright white on black, at character row 1, column 3.
Bytes PatternScreen() {
    Bytes screen(kScreenDumpBytes, 0);
    for (int y = 0; y < kScreenLines; ++y)
        for (int column = 0; column < kScreenColumns; ++column) screen[PixelLineAddr[y] + column] = (y & 1) ? 0x0F : 0xF0;
    std::fill(screen.begin() + kScreenCells, screen.end(), 0x0A);
    screen[kScreenCells + 32 + 3] = 0x47;
    return screen;
}

// The picture of the pattern screen, worked out independently of the renderer.
void ExpectPattern(const QImage& picture) {
    ASSERT_EQ(picture.size(), QSize(256, 192));
    int wrong = 0;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool ink = ((y & 1 ? 0x0F : 0xF0) >> (7 - x % 8)) & 1;
            const int index = y / 8 == 1 && x / 8 == 3 ? (ink ? 15 : 8) : (ink ? 2 : 1);
            wrong += picture.pixel(x, y) != (0xFF000000u | Palette32[size_t(index)]);
        }
    EXPECT_EQ(wrong, 0);
}

Bytes ScreenTap() { return TapOf({RomBlock(0x00, HeaderBody(3, "pantalla", 6912, 16384)), RomBlock(0xFF, PatternScreen())}); }

struct PreviewPanelTest : testing::Test {
    QString Write(const QString& name, const Bytes& bytes) {
        std::ofstream(dir_.filePath(name).toStdString(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

TEST_F(PreviewPanelTest, TapesAndSnapshotsShowTheirScreenAndDescription) {
    FilePreviewPanel tapes(PreviewKind::Tape);
    tapes.ShowFile(Write("juego.tap", ScreenTap()));
    EXPECT_EQ(tapes.Caption(), "(juego.tap, TAP (Z80))");
    ExpectPattern(tapes.Picture());
    // From an archive, its screen member shows rather than the tape's own (blank) screen.
    const Bytes blank = TapOf({RomBlock(0x00, HeaderBody(3, "pantalla", 6912, 16384)), RomBlock(0xFF, Bytes(6912, 0))});
    tapes.ShowFile(Write("juegos.zip", MakeZip({{"juego.tap", blank}, {"foto.scr", PatternScreen()}})));
    EXPECT_EQ(tapes.Caption(), "(juegos.zip, TAP (Z80))");
    ExpectPattern(tapes.Picture());

    Bytes sna(27, 0);
    const Bytes screen = PatternScreen();
    sna.insert(sna.end(), screen.begin(), screen.end());
    sna.resize(49179, 0);
    FilePreviewPanel snapshots(PreviewKind::Snapshot);
    snapshots.ShowFile(Write("foto.sna", sna));
    EXPECT_EQ(snapshots.Caption(), "(foto.sna, 48Kb)");
    ExpectPattern(snapshots.Picture());

    // A recording: the blocks are checked, the picture is blank; a damaged one has none.
    FilePreviewPanel recordings(PreviewKind::Rzx);
    const Bytes rzx = {'R', 'Z', 'X', '!', 0, 12, 0, 0, 0, 0, 0x80, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    recordings.ShowFile(Write("partida.rzx", rzx));
    EXPECT_EQ(recordings.Caption(), "(partida.rzx, RZX)");
    EXPECT_EQ(recordings.Picture().pixelColor(128, 96), QColor(Qt::black));
    recordings.ShowFile(Write("rota.rzx", Bytes(rzx.begin(), rzx.end() - 1)));
    EXPECT_TRUE(recordings.Caption().isEmpty());
}

TEST_F(PreviewPanelTest, WhatCannotBeShownGivesTheRingAndNoCaption) {
    FilePreviewPanel tapes(PreviewKind::Tape);
    const QImage unavailable = tapes.Picture();  // nothing chosen yet
    EXPECT_TRUE(tapes.Caption().isEmpty());
    const QColor ring = unavailable.pixelColor(128, 10);
    EXPECT_TRUE(ring.red() > 200 && ring.green() < 60 && ring.blue() < 60);
    // A valid tape, but over the size limit: it must not be read.
    Bytes huge = ScreenTap();
    const Bytes filler = TapOf({Bytes(65535, 0)});
    for (int i = 0; i < 260; ++i) huge.insert(huge.end(), filler.begin(), filler.end());
    const QString good = Write("juego.tap", ScreenTap());
    // Damaged, more blocks than allowed, too big, an archive (not opened), no class for the kind, absent...
    const QString paths[] = {Write("roto.wav", Bytes{'n', 'o', ' ', 'w', 'a', 'v'}), Write("roto.tap", Bytes(2 * 70000, 0)),
                             Write("enorme.tap", huge), Write("juego.zip", ScreenTap()), Write("juego.txt", ScreenTap()),
                             dir_.filePath("falta.tap"), dir_.path(), QString()};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        tapes.ShowFile(good);
        ASSERT_FALSE(tapes.Caption().isEmpty());
        tapes.ShowFile(path);
        EXPECT_TRUE(tapes.Caption().isEmpty());
        EXPECT_EQ(tapes.Picture(), unavailable);
    }
    FilePreviewPanel snapshots(PreviewKind::Snapshot);  // a tape, and a snapshot of the wrong size
    for (const QString& path : {good, Write("corta.sna", Bytes(1000, 0))}) {
        snapshots.ShowFile(path);
        EXPECT_TRUE(snapshots.Caption().isEmpty() && snapshots.Picture() == unavailable);
    }
}

TEST_F(PreviewPanelTest, TheDialogGetsAPanelThatFollowsTheCurrentFile) {
    QFileDialog dialog;  // only Qt's own dialog takes a widget
    FilePreviewPanel* panel = AttachPreviewPanel(dialog, PreviewKind::Tape);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.isAncestorOf(panel));
    emit dialog.currentChanged(Write("juego.tap", ScreenTap()));
    EXPECT_EQ(panel->Caption(), "(juego.tap, TAP (Z80))");
}

}  // namespace
}  // namespace tarvolinde::test
