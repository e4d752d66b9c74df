#include "RandomText.h"

#include <QStringList>

QString RandomText::next()
{
    static const QStringList pieces = {
        QStringLiteral("'"),
        QStringLiteral("''"),
        QStringLiteral("\""),
        QStringLiteral("'; delete from pLoansIssueData; --"),
        QStringLiteral("' or '1'='1"),
        QStringLiteral(" where liID = 1"),
        QStringLiteral("%_[]^"),
        QStringLiteral("\\n\\0"),
        QStringLiteral("\t"),
        QStringLiteral("\r\n"),
        QString(QChar(0x01)) + QChar(0x1b) + QChar(0x7f),
        QString(QChar(0)),
        QStringLiteral("Ωμέγα"),
        QStringLiteral("кириллица"),
        QStringLiteral("中文字符"),
        QStringLiteral("العربية"),
        QStringLiteral("😀"),
        QStringLiteral("   "),
        QStringLiteral("plain words 123.45"),
    };
    if (m_random() % 8 == 0)
        return QString(10000, QChar(char16_t(u'a' + m_random() % 26))) +
               pieces[m_random() % pieces.size()];
    QString text;
    const int count = 1 + m_random() % 6;
    for (int i = 0; i < count; ++i)
        text += pieces[m_random() % pieces.size()];
    return text;
}
