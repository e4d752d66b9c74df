#pragma once

#include <QList>
#include <QString>

namespace rpt {

// The first reading of a report file: sections "[kind name]" holding entries "key = value".
// A line that begins with a blank continues the value above it on a new line; a line that
// begins with "#" is a comment; empty lines are skipped.
class ReportFileSections
{
public:
    struct Entry
    {
        QString key;
        QString value;
        int line = 0;
    };
    struct Section
    {
        QString kind;
        QString name;
        int line = 0;
        QList<Entry> entries;
    };

    // Raises RuntimeError (ReportFile) "line N: what is wrong".
    static QList<Section> split(const QString& text);
};

} // namespace rpt
