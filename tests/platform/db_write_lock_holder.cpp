// Takes the write lock of the database named on the command line, says "locked", writes a row
// and commits when told to by a line on its standard input: another clerk in the middle of a
// save, for as long as the test needs. The end of the input commits too, so it never hangs.
#include "db/Connection.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    try {
        ado::Connection db;
        db.Open(QString::fromLocal8Bit(argv[1]));
        db.BeginTrans();
        db.Execute(u"insert into saves (clerk) values ('first')"_s);
        std::puts("locked");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        db.CommitTrans();
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
