#pragma once

#include <QCommandLineParser>

#include <optional>

// The command line of a program of bench/, read before any application object exists, so that
// --help and a wrong option start no window system. --help (or -h) prints the program's usage
// and does no work; what cannot be read is refused as the host refuses it: a message on standard
// error and exit status 2.
class BenchCommandLine
{
public:
    BenchCommandLine(const char* program, const char* usage,
                     const QList<QCommandLineOption>& options = {});

    // The exit status when the program is done already: 0 after the usage, 2 after a refusal.
    std::optional<int> parse(int argc, char** argv);
    const QCommandLineParser& parser() const { return m_parser; }
    // Says why the arguments are refused; returns the exit status for wrong options.
    int refuse(const QString& why) const;

private:
    const char* m_program;
    const char* m_usage;
    QCommandLineParser m_parser;
};

// A count given on the command line: a whole number of at least minimum.
bool readCount(const QString& text, int minimum, int& count);
