// Stored values libmdb hands over as bytes: Jet 4 text (plain and compressed), Decimal and
// Replication ID. The Access test files hold no Decimal or Replication ID column.
#include "platform/db/jet/JetValues.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

using namespace yvo::db::jet;

TEST(JetValues, Jet4Text) {
    struct Case {
        const char* name;
        QByteArray stored;
        QString text;
    };
    const Case cases[] = {
        {"plain UCS-2", QByteArray::fromHex("4100e4000c20"), QStringLiteral(u"A\u00e4\u200c")},
        {"compressed, one byte a character", QByteArray::fromHex("fffe48c46c6c6f"),
         QStringLiteral(u"H\u00c4llo")},
        {"compressed, switching to two bytes and back", QByteArray::fromHex("fffe4100ac20004243"),
         QStringLiteral(u"A\u20acBC")},
        {"compressed, a character outside the BMP", QByteArray::fromHex("fffe003dd801de"),
         QStringLiteral(u"\U0001F601")},
        {"compressed, two-byte mode to the end", QByteArray::fromHex("fffe41004200"), QStringLiteral("AB")},
        {"compressed, a lone last byte in two-byte mode", QByteArray::fromHex("fffe410042"),
         QStringLiteral("A")},
        {"empty compressed", QByteArray::fromHex("fffe"), QString()},
        {"odd length plain", QByteArray::fromHex("410042"), QStringLiteral("A")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeJet4Text(c.stored).toStdString(), c.text.toStdString()) << c.name;
}

TEST(JetValues, Decimal) {
    struct Case {
        const char* name;
        QByteArray stored;
        int scale;
        double value;
    };
    const Case cases[] = {
        {"positive with scale",
         QByteArray::fromHex("00"
                             "00000000"
                             "00000000"
                             "00000000"
                             "39300000"),
         2, 123.45},
        {"negative",
         QByteArray::fromHex("80"
                             "00000000"
                             "00000000"
                             "00000000"
                             "39300000"),
         0, -12345},
        {"needs the second word",
         QByteArray::fromHex("00"
                             "00000000"
                             "00000000"
                             "01000000"
                             "00000000"),
         0, 4294967296.0},
        {"needs the top word",
         QByteArray::fromHex("00"
                             "01000000"
                             "00000000"
                             "00000000"
                             "00000000"),
         28, 79228162514264337593543950336.0 / 1e28},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(decimalValue(c.stored, c.scale), c.value) << c.name;
}

TEST(JetValues, ReplicationId) {
    EXPECT_EQ(replicationIdText(QByteArray::fromHex("000102030405060708090a0b0c0d0e0f")).toStdString(),
              "{03020100-0504-0706-0809-0A0B0C0D0E0F}");
}

} // namespace
