#include "platform/Framework.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(FrameworkTest, ValReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"80%", 80}, {" 0 %", 0},   {"x", 0},       {"", 0},       {"-5", -5},
        {"+7", 7},   {"3.5e", 3.5}, {"3.5e+", 3.5}, {"1e3", 1000}, {"2.5E-1x", 0.25},
        {".5", 0.5}, {"5.", 5},     {"\t42 ", 42},  {"12abc", 12}, {"1,000", 1},
        {"- 5", 0},  {"--5", 0},    {".", 0},       {"e5", 0},     {"007", 7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(FrameworkTest, Base64LinesAre76AndRoundTrip) {
    QByteArray data(1000, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char& b : data)
        b = char(rng.bounded(256));
    const QString text = EncodeBase64(data, 76);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
    ASSERT_EQ(lines.size(), (1336 + 75) / 76); // 1000 bytes are 1336 characters
    for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 76) << "line " << i;
    EXPECT_EQ(lines.last().size(), 1336 % 76);
    EXPECT_EQ(lines.join(QString()), QString::fromLatin1(data.toBase64()));
    EXPECT_EQ(DecodeBase64(text), data);

    // Short data is one line.
    EXPECT_EQ(EncodeBase64("abc", 76), QStringLiteral("YWJj"));
    EXPECT_EQ(DecodeBase64(EncodeBase64(QByteArray(), 76)), QByteArray());
}

TEST(FrameworkTest, Base64DecoderAcceptsEitherLineEnd) {
    const QByteArray expected = "Hello, world";
    for (const char* text : {"SGVsbG8sIHdvcmxk", "SGVsbG8s\nIHdvcmxk\n", "SGVsbG8s\r\nIHdvcmxk\r\n",
                             "SGVsbG8s\r\nIHdvcmxk"})
        EXPECT_EQ(DecodeBase64(QString::fromLatin1(text)), expected) << text;
}

// Text another tool stored (padding, spaces, stray characters, a '=' inside) decodes as the
// general Base64 decoder decodes it.
TEST(FrameworkTest, Base64DecoderReadsAnyTextAsTheGeneralDecoder) {
    for (const char* text : {"YQ==", "YWI=", "YWI=\n", "YQ", "YWJjZA", "YW Jj", "YWJj\tZGVm",
                             "YW=Jj", "YWJj==ZGVm", "Y", "=", "", "\n\n", "YWJj!ZGVm", "YWJj=="})
        EXPECT_EQ(DecodeBase64(QString::fromLatin1(text)), QByteArray::fromBase64(text)) << text;
    EXPECT_EQ(DecodeBase64(QStringLiteral("YW\u00e9Jj")), QByteArray::fromBase64("YW\xe9Jj"));
}

TEST(FrameworkTest, TextEqualsIgnoresLetterCase) {
    EXPECT_TRUE(TextEquals(QStringLiteral("Edit"), QStringLiteral("edit")));
    EXPECT_TRUE(TextEquals(QStringLiteral("NAME.DESKTOP"), QStringLiteral("name.desktop")));
    EXPECT_TRUE(TextEquals(QStringLiteral("메모"), QStringLiteral("메모")));
    EXPECT_FALSE(TextEquals(QStringLiteral("korean"), QStringLiteral("korea")));
    EXPECT_FALSE(TextEquals(QStringLiteral("none"), QStringLiteral("none ")));
}

} // namespace
