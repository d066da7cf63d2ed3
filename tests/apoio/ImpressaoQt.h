#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Lets GoogleTest print Qt strings as text in failure messages.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << '"' << bytes.toStdString() << '"'; }
