#pragma once
// ZIP archives of stored members written by hand, with what other writers put
// in them: data descriptors, Zip64 sizes, encryption flags, a comment, and lies.

#include <zlib.h>

#include <string>
#include <vector>

namespace tarvolinde::test {

struct MadeMember {
    std::string name;
    std::vector<uint8_t> data;
    uint16_t flags = 0;  // bit 0 encrypted, bit 3 sizes in a descriptor after the data
    bool zip64 = false;
    int sizeLie = 0;     // added to the recorded sizes
};

inline std::vector<uint8_t> MakeZip(const std::vector<MadeMember>& members) {
    const auto put = [](std::vector<uint8_t>& out, uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
    };
    const std::string comment = "hecho a mano";
    std::vector<uint8_t> zip, central;
    for (const MadeMember& m : members) {
        const uint32_t crc = uint32_t(crc32(0, m.data.data(), uInt(m.data.size())));
        const uint64_t size = m.data.size() + int64_t(m.sizeLie), offset = zip.size();
        for (std::vector<uint8_t>* out : {&zip, &central}) {
            // A streaming writer knows neither checksum nor sizes when it writes the local header.
            const bool local = out == &zip, streamed = local && (m.flags & 8);
            put(*out, local ? 0x04034B50 : 0x2D02014B50ull, local ? 4 : 6);
            put(*out, 45, 2), put(*out, m.flags, 2), put(*out, 0, 6), put(*out, streamed ? 0 : crc, 4);
            for (int i = 0; i < 2; ++i) put(*out, streamed ? 0 : m.zip64 ? 0xFFFFFFFF : size, 4);
            put(*out, m.name.size(), 2), put(*out, m.zip64 ? 20 : 0, 2);
            if (!local) put(*out, 0, 10), put(*out, offset, 4);
            out->insert(out->end(), m.name.begin(), m.name.end());
            if (m.zip64) put(*out, 0x00100001, 4), put(*out, size, 8), put(*out, size, 8);
        }
        zip.insert(zip.end(), m.data.begin(), m.data.end());
        if (m.flags & 8) put(zip, 0x08074B50, 4), put(zip, crc, 4), put(zip, size, 4), put(zip, size, 4);
    }
    const uint64_t centralOffset = zip.size();
    zip.insert(zip.end(), central.begin(), central.end());
    put(zip, 0x06054B50, 8), put(zip, members.size() * 0x10001, 4), put(zip, central.size(), 4);
    put(zip, centralOffset, 4), put(zip, comment.size(), 2);
    zip.insert(zip.end(), comment.begin(), comment.end());
    return zip;
}

}  // namespace tarvolinde::test
