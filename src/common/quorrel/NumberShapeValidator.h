#pragma once

#include "quorrel_export.h"

#include <QValidator>

// The shape the numeric key filter keeps an amount or count box in (digits, at most one point,
// at most sizeLimit characters, at most decimalPlaces digits after the point, no point when
// decimalPlaces is 0), for text that arrives without a key press: pasted, dropped or inserted.
class QUORREL_EXPORT NumberShapeValidator : public QValidator
{
public:
    NumberShapeValidator(int sizeLimit, int decimalPlaces, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    static bool shapeKept(const QString& text, int sizeLimit, int decimalPlaces);

private:
    int m_sizeLimit;
    int m_decimalPlaces;
};
