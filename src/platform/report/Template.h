#pragma once

#include "ostrelplatform_export.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace rpt {

// A text of the report layout with references to values: {strUserName}, {issue.liNo},
// {issue.lidate:date}. A part in square brackets is left out when a value in it is empty:
// "Printed[ by {strUserName}] on {Now:datetime}". {{ }} [[ ]] stand for the characters.
class OSTRELPLATFORM_EXPORT Template
{
public:
    struct Reference
    {
        QString source; // a data set; empty for a parameter or a value of the engine
        QString field;
        QString format;
    };
    using Resolver = std::function<QVariant(const Reference&)>;

    // Raises RuntimeError (ReportFile) naming what is wrong, without file or line.
    static Template parse(const QString& text);

    QString render(const Resolver& resolve) const;
    QList<Reference> references() const;
    bool isEmpty() const { return m_segments.isEmpty(); }
    // The one reference a template holds and nothing else, if that is what it is.
    std::optional<Reference> soleReference() const;

private:
    struct Piece
    {
        QString literal;
        std::optional<Reference> reference;
    };
    struct Segment
    {
        bool optional = false;
        QList<Piece> pieces;
    };

    static Reference parseReference(const QString& inner);

    QList<Segment> m_segments;
};

} // namespace rpt
