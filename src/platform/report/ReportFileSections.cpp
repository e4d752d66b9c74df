#include "report/ReportFileSections.h"

#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

[[noreturn]] void fail(int line, const QString& what)
{
    throw RuntimeError(errors::ReportFile, u"line %1: %2"_s.arg(line).arg(what));
}

} // namespace

QList<ReportFileSections::Section> ReportFileSections::split(const QString& text)
{
    QList<Section> sections;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        QString line = lines[i];
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;

        if (line.front().isSpace()) {
            if (sections.isEmpty() || sections.back().entries.isEmpty())
                fail(number, u"an indented line must continue an entry above it"_s);
            QString& value = sections.back().entries.back().value;
            value += (value.isEmpty() ? QString() : u"\n"_s) + line.trimmed();
        } else if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                fail(number, u"a section heading must end with \"]\""_s);
            const QStringList words = line.mid(1, line.size() - 2).simplified().split(u' ');
            if (words.front().isEmpty())
                fail(number, u"a section heading must name its kind"_s);
            sections.append({words.front().toLower(), words.mid(1).join(u' '), number, {}});
        } else {
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0)
                fail(number, u"an entry must have the form \"key = value\""_s);
            if (sections.isEmpty())
                fail(number, u"an entry must stand in a section"_s);
            sections.back().entries.append(
                {line.left(equals).simplified().toLower(), line.mid(equals + 1).trimmed(), number});
        }
    }
    return sections;
}

} // namespace rpt
