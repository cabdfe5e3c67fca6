// The ZIP reader over arbitrary bytes, as each open dialog reads an archive:
// refusing it (ZipError) is a fine outcome; a chosen member must hold exactly
// the bytes the reader was allowed to take. Any crash, read outside a buffer,
// undefined behaviour, hang or other exception is a finding.

#include <cstdlib>

#include "snapshots/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvolinde;
    static const TZipi readers[] = {TZipi("Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip)"),
                                    TZipi("Snapshots (*.fsu *.z80 *.sna *.sp *.zip)")};
    for (const TZipi& reader : readers) {
        try {
            const ZipChoice choice = reader.ReadArchive({data, size});
            if (choice.Stream.size() > kMaxZipMemberBytes || (choice.Name.empty() && !choice.Stream.empty()))
                std::abort();
        } catch (const ZipError&) {
        }
    }
    return 0;
}
