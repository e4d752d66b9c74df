#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportDefinition.h"
#include "report/ReportFileSections.h"

namespace rpt {

// Reads a report file into its definition. Every fault is a RuntimeError (ReportFile) that
// names the file and the line: the register shows it to the clerk as it is.
class OSTRELPLATFORM_EXPORT ReportFileParser
{
public:
    static ReportDefinition load(const QString& path);
    // The text of a report file; faults name the line only.
    static ReportDefinition parse(const QString& text);

private:
    using Section = ReportFileSections::Section;
    using Entry = ReportFileSections::Entry;

    void read(const Section& section);
    void readReport(const Section& section);
    void readParameters(const Section& section);
    void readName(const Section& section);
    void readQuery(const Section& section);
    void readSchedule(const Section& section);
    void readTitle(const Section& section);
    void readFields(const Section& section);
    void readTable(const Section& section);
    void readSignatures(const Section& section);
    void readFooter(const Section& section);

    // Checks a statement's references: parameters and names declared above.
    QString statement(const Entry& entry) const;
    // A layout text whose fields come from one-row queries (and rowSet, inside a table).
    Template layoutText(const Entry& entry, const QString& text, const QString& rowSet = {},
                        bool pageValues = false) const;
    Template::Reference scheduleInput(const Entry& entry) const;
    void checkNewDataSet(const Section& section) const;

    ReportDefinition m_definition;
};

} // namespace rpt
