#include "RandomText.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString RandomText::next()
{
    static const QStringList pieces = {
        u"'"_s,
        u"''"_s,
        u"\""_s,
        u"'; delete from pLoansIssueData; --"_s,
        u"' or '1'='1"_s,
        u" where liID = 1"_s,
        u"%_[]^"_s,
        u"\\n\\0"_s,
        u"\t"_s,
        u"\r\n"_s,
        QString(QChar(0x01)) + QChar(0x1b) + QChar(0x7f),
        QString(QChar(0)),
        u"Ωμέγα"_s,
        u"кириллица"_s,
        u"中文字符"_s,
        u"العربية"_s,
        u"😀"_s,
        u"   "_s,
        u"plain words 123.45"_s,
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
