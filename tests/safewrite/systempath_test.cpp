#include <gtest/gtest.h>

#include "safewrite/systempath.h"

namespace {

void expectKept(const QByteArray& bytes)
{
    const QString path = SystemPath::decode(bytes);
    EXPECT_EQ(SystemPath::encode(path), bytes) << bytes.toHex().toStdString();
    // Valid UTF-8 reads as UTF-8 always; anything else never as a name that is valid UTF-8.
    EXPECT_EQ(path == QString::fromUtf8(bytes), QString::fromUtf8(bytes).toUtf8() == bytes) << bytes.toHex().toStdString();
}

}  // namespace

TEST(SystemPath, EveryNameKeepsItsBytes)
{
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second)
            expectKept(QByteArray{char(first), char(second)});
    }
    // Overlong, encoded surrogate, past U+10FFFF, cut short, a character whose low half lies in the escape range,
    // the replacement character itself, a byte order mark.
    for (const char* bytes : {"\xC0\x80", "\xED\xA0\x80x", "\xF4\x90\x80\x80", "caf\xE2\x82", "\xF0\x90\x82\x80",
                              "caf\xEF\xBF\xBD.bin", "\xEF\xBB\xBF", "caf\xE9.bin"})
        expectKept(bytes);
}
