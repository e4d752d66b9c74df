#pragma once

#include "ComObject.h"

#include <QVariant>

class QComboBox;
class QLineEdit;

// Form services of the host's shared library.
class QUORREL_EXPORT clsCommonGen : public ComObject
{
public:
    // Selects the entry whose item data equals the value (a number, or a field holding one).
    // When no entry matches, no entry is selected.
    void selectcomboitembyvalue(QComboBox* combo, const QVariant& value);

    // The numeric key filter of amount and count boxes. Control keys (backspace, Enter, Tab,
    // clipboard shortcuts) pass. A digit or a point passes only if the text it makes, replacing
    // the selection, has at most sizeLimit characters, at most one point, no point when
    // decimalPlaces is 0, and at most decimalPlaces digits after the point. Any other key is
    // cancelled by setting KeyAscii to 0.
    void TextValidateNum(QLineEdit* box, qint16& KeyAscii, qint16 sizeLimit, qint16 decimalPlaces);
};
