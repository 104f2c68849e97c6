#include "platform/db/jet/JetValues.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace yvo::db::jet {

namespace {

std::uint8_t byteAt(QByteArrayView bytes, qsizetype index) {
    return std::uint8_t(bytes[index]);
}

std::uint32_t word32(QByteArrayView bytes, qsizetype at) {
    return std::uint32_t(byteAt(bytes, at)) | std::uint32_t(byteAt(bytes, at + 1)) << 8 |
           std::uint32_t(byteAt(bytes, at + 2)) << 16 | std::uint32_t(byteAt(bytes, at + 3)) << 24;
}

} // namespace

QString decodeJet4Text(QByteArrayView bytes) {
    std::u16string units;
    const bool compressed = bytes.size() >= 2 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xFE;
    if (!compressed) {
        units.reserve(std::size_t(bytes.size() / 2));
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            units.push_back(char16_t(byteAt(bytes, i) | byteAt(bytes, i + 1) << 8));
    } else {
        bool oneByte = true;
        qsizetype i = 2;
        while (i < bytes.size()) {
            if (byteAt(bytes, i) == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                units.push_back(char16_t(byteAt(bytes, i)));
                ++i;
            } else if (i + 1 < bytes.size()) {
                units.push_back(char16_t(byteAt(bytes, i) | byteAt(bytes, i + 1) << 8));
                i += 2;
            } else {
                break; // a lone byte at the end
            }
        }
    }
    return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

double decimalValue(QByteArrayView bytes, int scale) {
    long double magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = magnitude * 4294967296.0L + word32(bytes, 1 + 4 * word);
    const long double value = magnitude / std::pow(10.0L, scale);
    return double((byteAt(bytes, 0) & 0x80) ? -value : value);
}

QString replicationIdText(QByteArrayView bytes) {
    static constexpr int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    QString text = QStringLiteral("{");
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += QLatin1Char('-');
        text += QStringLiteral("%1").arg(byteAt(bytes, order[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text + QLatin1Char('}');
}

} // namespace yvo::db::jet
