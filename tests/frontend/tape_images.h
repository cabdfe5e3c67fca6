#pragma once
// Small tape and snapshot files built in the tests of the open dialogs and the
// tape browser.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/video/screen_tables.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {

// The 17 bytes after the flag of a code header.
inline Bytes CodeHeader(const std::string& name, uint16_t length, uint16_t start) {
    return HeaderBody(3, name, length, start);
}

// A TZX standard-speed block (ID 0x10) holding this ROM block.
inline void AppendTzxStandard(Bytes& tzx, const Bytes& romBlock) {
    tzx.push_back(0x10);
    AppendWord(tzx, 1000);
    AppendWord(tzx, uint32_t(romBlock.size()));
    tzx.insert(tzx.end(), romBlock.begin(), romBlock.end());
}

// A screen whose pixel lines alternate 0xF0 and 0x0F, all cells red ink on
// blue paper but one, bright white on black, at character row 1, column 3.
inline Bytes PatternScreen() {
    Bytes screen(kScreenDumpBytes, 0);
    for (int y = 0; y < kScreenLines; ++y)
        for (int column = 0; column < kScreenColumns; ++column)
            screen[PixelLineAddr[y] + column] = (y & 1) ? 0x0F : 0xF0;
    for (int cell = 0; cell < kAttributeBytes; ++cell) screen[kScreenCells + cell] = 0x0A;
    screen[kScreenCells + 32 + 3] = 0x47;
    return screen;
}

inline bool WriteFile(const QString& path, const Bytes& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    return file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
}

}  // namespace tarvolinde::test
