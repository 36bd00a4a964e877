#pragma once

#include <QString>
#include <stdexcept>

// Error raised by a widget operation given wrong arguments; its message is
// the fixed text the caller (or the paint error display) shows.
class TiError : public std::runtime_error {
public:
    explicit TiError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
