#include "NumberShapeValidator.h"

NumberShapeValidator::NumberShapeValidator(int sizeLimit, int decimalPlaces, QObject* parent)
    : QValidator(parent), m_sizeLimit(sizeLimit), m_decimalPlaces(decimalPlaces)
{
}

QValidator::State NumberShapeValidator::validate(QString& input, int& /*pos*/) const
{
    return shapeKept(input, m_sizeLimit, m_decimalPlaces) ? Acceptable : Invalid;
}

bool NumberShapeValidator::shapeKept(const QString& text, int sizeLimit, int decimalPlaces)
{
    for (const QChar c : text) {
        if (c != u'.' && (c < u'0' || c > u'9'))
            return false;
    }
    const qsizetype point = text.indexOf(u'.');
    return text.size() <= sizeLimit && text.count(u'.') <= 1 &&
           (point < 0 || (decimalPlaces > 0 && text.size() - point - 1 <= decimalPlaces));
}
