// Reading the program's plain-text data files: free header lines, then values separated by
// commas or line ends, texts optionally in double quotes. Latin-1, CR LF or LF line ends.
#pragma once

#include <QByteArray>
#include <QString>

namespace vanta::core {

class Interaction;

// A cursor over one file's content. Every failure throws AppError: 62 "Input past end of file"
// when a value or line is missing, 13 "Type mismatch" for a malformed number, 6 "Overflow" for
// a number too large for its type.
class DataFileReader
{
public:
    explicit DataFileReader(QByteArray content);

    // Reads the whole file at `path` through readRegularFile: throws 53 "File not found" when it
    // does not exist and 75 "Path/File access error" when it is no regular file (a folder, a
    // fifo, a device), is larger than MaxDataFileBytes or cannot be read.
    static DataFileReader open(const QString &path);

    // Skips `count` lines whatever they hold (the free header lines).
    void skipLines(int count);
    // The rest of the current line as it stands, without its line end.
    QString readLine();

    // True when nothing but blanks and line ends remain.
    [[nodiscard]] bool atEnd() const;

    // The next value: blanks around it and its quotes removed. A line end right after a comma
    // ends an empty value; blank lines between values are skipped.
    QString readValue();
    // The next value as a decimal 16-bit integer; an empty value is 0.
    qint16 readInt16();
    // The next value as a decimal real ("." decimal point); an empty value is 0.
    double readDouble();

private:
    bool atLineEnd() const;
    void skipBlanks();
    void skipLineEnd();
    void skipBlankLines();
    QString readQuoted();
    QString readUnquoted();
    void finishValue();

    QByteArray m_content;
    qsizetype m_pos = 0;
    bool m_afterComma = false; // the last value ended with a comma, so another one follows
};

// Every data file starts with this many lines of free text.
constexpr int DataFileHeaderLines = 5;

enum class NumberBase
{
    Decimal,
    Hexadecimal
};

// Digits of `base` (decimal ones with an optional sign, hexadecimal ones without prefix), blanks
// around them ignored; empty text is 0, as an empty field reads. Throws 13 for malformed text
// and 6 when the number does not fit 64 bits.
qint64 parseWholeNumber(const QString &text, NumberBase base);
// Decimal text as a 16-bit integer; throws 13 for malformed text, 6 outside -32768..32767.
qint16 parseInt16Text(const QString &text);
// A register number from a table file: text ending in "H" (either case) is hexadecimal, any
// other decimal. Returned wide so that the caller can name an out-of-range number.
qint64 parseRegisterText(const QString &text);
// Hexadecimal digits without prefix, 0..0xFFFF; throws 13 for malformed text, 6 above 0xFFFF.
int parseHexText(const QString &text);
// A command or wire-register text that gives none: empty or "??".
bool isNoneText(const QString &text);
// The program's register numbers are 1..20480.
bool isRegisterNumber(qint64 reg);

// The "Invalid Modbus Register" message (critical icon): "The Modbus Register" + the number with
// a leading blank + " in file >" + `fileText` + `remainder`.
constexpr QLatin1String InvalidRegisterTitle("Invalid Modbus Register");
QString invalidRegisterText(qint64 reg, const QString &fileText, const QString &remainder);
void showInvalidRegister(Interaction &ui, qint64 reg, const QString &fileText,
                         const QString &remainder);

// The path of `name` in `folder`. When no file of exactly that name exists, a file whose name
// differs only in letter case is taken (data folders copied from case-insensitive systems).
QString resolveDataFile(const QString &folder, const QString &name);

} // namespace vanta::core
