// The decoding every file the user names goes through: each byte must become one character, the
// bytes below 0x80 and from 0xA0 up their own code point, and every text read must encode back to
// the very bytes it came from. (Encoding a text that has characters without a byte is left to the
// saving tests: the boxes hold what they are given.)
#include "fuzzcheck.h"

#include "matchfile/encoding.h"

#include <cstddef>
#include <cstdint>

using namespace quenbury::matchfile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QString> decoded = decodeWindows1252(bytes);
    FUZZ_CHECK(decoded && decoded->size() == bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        FUZZ_CHECK(decoded->at(i).unicode() == data[i] || (data[i] >= 0x80 && data[i] < 0xA0));
    const Windows1252Bytes again = toWindows1252(*decoded);
    FUZZ_CHECK(!again.unencodable && again.bytes == bytes);
    return 0;
}
