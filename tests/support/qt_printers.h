// GoogleTest printers for Qt text types, so a failed comparison shows the text itself.
// Every test program includes this first (see tests/CMakeLists.txt).
#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << "\"" << bytes.toStdString() << "\" (" << bytes.toHex(' ').toStdString() << ")";
}
