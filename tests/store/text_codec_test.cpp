// The file boundary in one pass each way: every byte of code page 1252 and
// back, CR LF to one line end and back, a lone CR kept, what cannot be
// stored written as '?'.
#include "store/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace mv;

TEST(TextCodec, EveryByteDecodesAsTheCodePageSaysAndComesBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += char(b);
    QStringDecoder decoder("windows-1252");
    const QString expected = decoder(all);
    const QString text = decodeStored(all);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.size(), all.size());
    EXPECT_EQ(encodeStored(text), all);
    EXPECT_TRUE(isCp1252(text));
    EXPECT_EQ(decodeStored("\x80\xe5\xe4\xf6\xc5\xc4\xd6"), QStringLiteral("€åäöÅÄÖ"));
}

TEST(TextCodec, LineEndsAndWhatCannotBeStored) {
    EXPECT_EQ(decodeStored("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
    EXPECT_EQ(decodeStored("a\rb\r\r\n\n"), QStringLiteral("a\rb\r\n\n"));
    EXPECT_EQ(decodeStored("\r"), QStringLiteral("\r"));
    EXPECT_EQ(decodeStored(QByteArray()), QString());
    EXPECT_EQ(encodeStored(QStringLiteral("a\nb\n\n")), QByteArray("a\r\nb\r\n\r\n"));
    EXPECT_EQ(encodeStored(QStringLiteral("ő\u200b😀x")), QByteArray("????x"));
    EXPECT_FALSE(isCp1252(QStringLiteral("ő")));
    EXPECT_FALSE(isCp1252(QStringLiteral("a\u200bb")));
    EXPECT_FALSE(isCp1252(QStringLiteral("😀")));
    EXPECT_TRUE(isCp1252(QStringLiteral("Åke € 1250.00\n")));
    // A large text keeps its length and bytes exactly.
    QString big;
    for (int i = 0; i < 20000; ++i) big += QStringLiteral("Verifikat          = %1\nÖresutjämning\n").arg(i);
    const QByteArray bytes = encodeStored(big);
    EXPECT_EQ(bytes.size(), big.size() + big.count(u'\n'));
    EXPECT_EQ(decodeStored(bytes), big);
}
