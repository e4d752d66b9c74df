#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportDefinition.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace rpt {

// The parameter fields handed to the engine ("name;value;true" by position) and their values
// once checked against the parameters the report declares.
class OSTRELPLATFORM_EXPORT ReportParameters
{
public:
    // Keeps the field at its position; a later one at the same position replaces it.
    void setField(int index, const QString& field);
    const QMap<int, QString>& fields() const { return m_fields; }

    // Takes each field's value as its declared type: a number must be a plain decimal number.
    // Raises RuntimeError (Parameter) for a malformed field, a parameter the report does not
    // declare, a number that is not one, or a required parameter left unset.
    void bind(const ReportDefinition& definition);

    // The value of a declared parameter after bind(): a double, a text or Null when unset.
    QVariant value(const QString& name) const;
    // The value as it goes into a statement: the number as given, the text in apostrophes
    // with each apostrophe doubled, or NULL.
    QString sqlLiteral(const QString& name) const;

private:
    QMap<int, QString> m_fields;
    QMap<QString, QVariant> m_values;  // by lower-case name
    QMap<QString, QString> m_literals; // by lower-case name
};

} // namespace rpt
