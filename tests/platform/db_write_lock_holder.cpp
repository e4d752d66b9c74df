// Takes the write lock of the database named on the command line, says "locked", writes a row,
// holds the lock for a moment and commits: another clerk in the middle of a save.
#include "db/Connection.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

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
        QThread::msleep(1000);
        db.CommitTrans();
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
