// Another clerk, in a process of its own: saves new loans of company 1 for one employee, one
// open application after another, and reports each save on a line of its own as
// "saved <id> <number>" or "failed <what the clerk was told>".
// Arguments: the database file, the employee id, the number of saves.
#include "EntryFixture.h"

#include "ScriptedPresenter.h"
#include "common/BasLoan.h"
#include "issue_entry/frmLoan.h"
#include "platform/runtime/RuntimeError.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(QString::fromLocal8Bit(argv[1]));
    EntryFixture::useRegister(connection, 1, QStringLiteral("L"));
    msgbox::ScriptedPresenter messages;
    for (int round = 0; round < QByteArray(argv[3]).toInt(); ++round) {
        messages.clear();
        QString report;
        try {
            frmLoan& entry = EntryFixture::newEntry(QByteArray(argv[2]).toInt(), -1);
            entry.cboloanapplication->setCurrentIndex(0);
            entry.cmdOK_Click();
            report = BasLoan::Tag(entry.cmdOK) == u"Success"
                         ? QStringLiteral("saved %1 %2").arg(entry.lngIssueID).arg(entry.strIssueNo)
                         : QStringLiteral("failed ") + messages.prompts().join(u' ').simplified();
        } catch (const RuntimeError& e) {
            report = QStringLiteral("failed ") + e.description().simplified();
        }
        frmLoan::Unload();
        std::printf("%s\n", report.toUtf8().constData());
        std::fflush(stdout);
    }
    return 0;
}
