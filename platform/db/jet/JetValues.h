#pragma once
// Decoding of stored Jet values that libmdb leaves as bytes. Pure functions over the stored bytes,
// little-endian as in the file.

#include <QByteArrayView>
#include <QString>

namespace yvo::db::jet {

// Text of a Jet 4 / ACE file: UCS-2 little-endian, or "compressed" when it starts with FF FE (one
// byte a character, a zero byte switching between one and two bytes a character).
QString decodeJet4Text(QByteArrayView bytes);

// A Decimal value: a sign byte (0x80 for negative) and a 128-bit magnitude stored as four 32-bit
// little-endian words, most significant first, scaled by 10^scale. Needs 17 bytes.
double decimalValue(QByteArrayView bytes, int scale);

// A Replication ID as libmdb and Access write it: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// the first three groups little-endian. Needs 16 bytes.
QString replicationIdText(QByteArrayView bytes);

} // namespace yvo::db::jet
