// The messages about bad rows of one file. A file with thousands of bad rows must not raise
// thousands of boxes: the first few show as usual, the rest are only counted and summed up in
// one box once the file has been read.
#pragma once

#include <QString>

namespace vanta::core {

class Interaction;

class RowReports
{
public:
    // Rows whose message is shown before the rest are only counted.
    static constexpr int ShownRows = 5;

    RowReports(Interaction &ui, QString fileName);

    // Shows a bad row's message (critical icon, OK button) or, past the first ShownRows,
    // counts it.
    void report(const QString &title, const QString &text);
    // Shows "<n> more rows of <file> were skipped with errors." ("1 more row ... was ...")
    // under the title of the last held-back message when any were held back; call once the
    // file has been read.
    void finish();

private:
    Interaction &m_ui;
    QString m_fileName;
    int m_reported = 0;
    QString m_heldBackTitle;
};

} // namespace vanta::core
