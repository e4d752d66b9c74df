#include "report/Template.h"

#include "report/FieldFormat.h"
#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw RuntimeError(errors::ReportFile, what);
}

} // namespace

Template::Reference Template::parseReference(const QString& inner)
{
    static const QRegularExpression shape(
        uR"(^\s*(?:([A-Za-z_]\w*)\.)?(@?[A-Za-z_]\w*)\s*(?::\s*(\w+)\s*)?$)"_s);
    const QRegularExpressionMatch m = shape.match(inner);
    if (!m.hasMatch())
        fail(u"\"{%1}\" is not a field reference"_s.arg(inner));
    Reference reference{m.captured(1), m.captured(2), m.captured(3).toLower()};
    if (!FieldFormat::isKnown(reference.format))
        fail(u"\"%1\" is not a known format"_s.arg(reference.format));
    return reference;
}

Template Template::parse(const QString& text)
{
    Template result;
    Segment current;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            current.pieces.append({literal, std::nullopt});
        literal.clear();
    };
    auto closeSegment = [&] {
        flushLiteral();
        if (!current.pieces.isEmpty())
            result.m_segments.append(current);
        current = Segment();
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == u'{' || c == u'}' || c == u'[' || c == u']') && doubled) {
            literal += c;
            ++i;
        } else if (c == u'{') {
            const qsizetype end = text.indexOf(u'}', i);
            if (end < 0)
                fail(u"a \"{\" has no closing \"}\""_s);
            flushLiteral();
            current.pieces.append({QString(), parseReference(text.mid(i + 1, end - i - 1))});
            i = end;
        } else if (c == u'}') {
            fail(u"a \"}\" has no opening \"{\""_s);
        } else if (c == u'[') {
            if (current.optional)
                fail(u"optional parts cannot be nested"_s);
            closeSegment();
            current.optional = true;
        } else if (c == u']') {
            if (!current.optional)
                fail(u"a \"]\" has no opening \"[\""_s);
            closeSegment();
        } else {
            literal += c;
        }
    }
    if (current.optional)
        fail(u"a \"[\" has no closing \"]\""_s);
    closeSegment();
    return result;
}

QString Template::render(const Resolver& resolve) const
{
    QString out;
    for (const Segment& segment : m_segments) {
        QString text;
        bool missing = false;
        for (const Piece& piece : segment.pieces) {
            if (!piece.reference) {
                text += piece.literal;
                continue;
            }
            const QString value =
                FieldFormat::apply(resolve(*piece.reference), piece.reference->format);
            missing = missing || value.trimmed().isEmpty();
            text += value;
        }
        if (!(segment.optional && missing))
            out += text;
    }
    return out;
}

QList<Template::Reference> Template::references() const
{
    QList<Reference> all;
    for (const Segment& segment : m_segments) {
        for (const Piece& piece : segment.pieces) {
            if (piece.reference)
                all.append(*piece.reference);
        }
    }
    return all;
}

std::optional<Template::Reference> Template::soleReference() const
{
    if (m_segments.size() != 1 || m_segments[0].pieces.size() != 1)
        return std::nullopt;
    return m_segments[0].pieces[0].reference;
}

} // namespace rpt
