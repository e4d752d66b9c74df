#pragma once

#include "ostrelplatform_export.h"

#include "report/Template.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <variant>

namespace rpt {

// A report file as read: the parameters it takes, the statements that fetch its data and the
// bands of its layout, in the order they are printed. The format is described in
// reports/README.md.
class OSTRELPLATFORM_EXPORT ReportDefinition
{
public:
    struct Parameter
    {
        enum class Type { Number, Text };
        QString name;
        Type type = Type::Text;
        bool required = false;
    };
    // A statement whose first field names a table (the physical name of a logical one); of
    // several rows the last one counts. The fallback stands in when it finds none.
    struct NameLookup
    {
        QString name;
        QString sql;
        QString fallback;
    };
    struct Query
    {
        QString name;
        QString sql;
        bool singleRow = false;
        Template noRowMessage;
    };
    // Lines worked out by a named provider from fields of the queries: each input names one
    // field. The terms, when named, are the one-row data set of what the lines rest on.
    struct Schedule
    {
        QString name;
        QString provider;
        QList<std::pair<QString, Template::Reference>> inputs; // by lower-case input name
        QString terms;
    };

    struct TitleBand
    {
        QList<Template> headings;
        QList<Template> subheadings;
    };
    struct FieldRow
    {
        QList<Template> cells; // label, value[, label, value]
        bool optional = false; // left out when one of its values is empty
    };
    struct FieldsBand
    {
        QList<FieldRow> rows;
    };
    struct Column
    {
        enum class Total { None, Sum, Text };
        QString heading;
        Template value;
        Qt::Alignment alignment = Qt::AlignLeft;
        qreal width = 1;
        Total total = Total::None;
        QString totalText;
        bool optional = false; // left out when none of its lines shows a value
    };
    struct TableBand
    {
        QString rows; // the data set, one table line per row
        QString caption;
        QList<Column> columns;
    };
    struct SignaturesBand
    {
        QStringList captions;
    };
    using Band = std::variant<TitleBand, FieldsBand, TableBand, SignaturesBand>;

    struct Footer
    {
        Template left, center, right;
    };

    QPageSize::PageSizeId paper = QPageSize::A4;
    qreal marginMillimetres = 15;
    QString font = QStringLiteral("DejaVu Sans");
    Template documentTitle;
    Template stamp; // across every page when it shows a value

    QList<Parameter> parameters;
    QList<NameLookup> names;
    QList<Query> queries;
    QList<Schedule> schedules;
    QList<Band> bands;
    Footer footer;

    const Parameter* parameter(const QString& name) const;
    const Query* query(const QString& name) const;
    bool hasName(const QString& name) const;
    bool hasDataSet(const QString& name) const;
    // A one-row query or a schedule's terms: its fields may stand anywhere in the layout.
    bool isOneRowSet(const QString& name) const;
};

} // namespace rpt
