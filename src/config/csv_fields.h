// The fields of one comma-separated line, as parameter files hold them.
#pragma once

#include <QString>
#include <QStringList>

namespace vanta::config {

// The fields of `line`, split at commas outside double quotes. A quoted field loses its quotes
// and reads a doubled quote inside it as one quote; an unquoted field loses the blanks around
// it. A quote left open runs to the end of the line.
QStringList splitCsvLine(const QString &line);

// `text` in double quotes, any quote inside it doubled and line breaks made blanks, so that
// splitCsvLine gives it back whole.
QString quotedCsvField(const QString &text);

} // namespace vanta::config
