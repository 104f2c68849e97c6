#pragma once
#include <QString>
#include <stdexcept>
#include <string>

namespace yvo::db {

// The one exception type of the data layer; its text is the message the user sees.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace yvo::db
