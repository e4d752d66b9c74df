#include "report/ReportParameters.h"

#include "db/SqlLiteral.h"
#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw RuntimeError(errors::Parameter, what);
}

} // namespace

void ReportParameters::setField(int index, const QString& field)
{
    if (index < 0)
        throw RuntimeError(errors::InvalidPropertyValue,
                           u"Invalid property value: parameter field %1"_s.arg(index));
    m_fields.insert(index, field);
}

void ReportParameters::bind(const ReportDefinition& definition)
{
    static const QRegularExpression numberShape(uR"(^[+-]?(\d+\.?\d*|\.\d+)$)"_s);
    m_values.clear();
    m_literals.clear();
    for (const QString& field : std::as_const(m_fields)) {
        // The value may itself hold semicolons: the name ends at the first, the flag follows
        // the last.
        const qsizetype first = field.indexOf(u';');
        const qsizetype last = field.lastIndexOf(u';');
        const QString flag = field.mid(last + 1).trimmed();
        if (first < 0 || first == last ||
            (flag.compare(u"true", Qt::CaseInsensitive) != 0 &&
             flag.compare(u"false", Qt::CaseInsensitive) != 0))
            fail(u"The report parameter field \"%1\" is not of the form "
                 "name;value;true."_s.arg(field.left(first < 0 ? 40 : first)));
        const QString name = field.left(first).trimmed();
        const QString text = field.mid(first + 1, last - first - 1);
        const ReportDefinition::Parameter* parameter = definition.parameter(name);
        if (!parameter)
            fail(u"The report has no parameter %1."_s.arg(name));
        const QString key = name.toLower();
        if (parameter->type == ReportDefinition::Parameter::Type::Number) {
            const QString number = text.trimmed();
            if (!numberShape.match(number).hasMatch())
                fail(u"The report parameter %1 must be a number, not \"%2\"."_s.arg(name, text));
            m_values.insert(key, number.toDouble());
            m_literals.insert(key, number);
        } else {
            m_values.insert(key, text);
            m_literals.insert(key, u'\'' + ado::quotedText(text) + u'\'');
        }
    }
    for (const ReportDefinition::Parameter& parameter : definition.parameters) {
        if (parameter.required && !m_values.contains(parameter.name.toLower()))
            fail(u"The report parameter %1 has no value."_s.arg(parameter.name));
    }
}

QVariant ReportParameters::value(const QString& name) const
{
    return m_values.value(name.toLower());
}

QString ReportParameters::sqlLiteral(const QString& name) const
{
    return m_literals.value(name.toLower(), u"NULL"_s);
}

} // namespace rpt
