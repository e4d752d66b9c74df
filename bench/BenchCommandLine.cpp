#include "BenchCommandLine.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString HelpOption = u"help"_s;

} // namespace

BenchCommandLine::BenchCommandLine(const char* program, const char* usage,
                                   const QList<QCommandLineOption>& options)
    : m_program(program), m_usage(usage)
{
    m_parser.addOption(QCommandLineOption(QStringList{u"h"_s, HelpOption}));
    m_parser.addOptions(options);
}

std::optional<int> BenchCommandLine::parse(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!m_parser.parse(arguments))
        return refuse(m_parser.errorText());
    if (m_parser.isSet(HelpOption)) {
        std::fputs(m_usage, stdout);
        return 0;
    }
    // A repeated option would silently take its last value.
    const QStringList given = m_parser.optionNames();
    for (const QString& name : given) {
        if (given.count(name) > 1)
            return refuse(u"--%1 is given more than once; give it once."_s.arg(name));
    }
    return std::nullopt;
}

int BenchCommandLine::refuse(const QString& why) const
{
    std::fprintf(stderr, "%s: %s\nTry %s --help.\n", m_program, qPrintable(why), m_program);
    return 2;
}

bool readCount(const QString& text, int minimum, int& count)
{
    bool ok = false;
    count = text.toInt(&ok);
    return ok && count >= minimum;
}
