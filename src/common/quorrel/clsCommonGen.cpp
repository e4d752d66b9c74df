#include "clsCommonGen.h"

#include "NumberShapeValidator.h"
#include "runtime/Conversions.h"

#include <QComboBox>
#include <QLineEdit>

void clsCommonGen::selectcomboitembyvalue(QComboBox* combo, const QVariant& value)
{
    const qint32 wanted = vb::CLng(value);
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() == wanted) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(-1);
}

void clsCommonGen::TextValidateNum(QLineEdit* box, qint16& KeyAscii, qint16 sizeLimit,
                                   qint16 decimalPlaces)
{
    if (KeyAscii < 32 || KeyAscii == 127)
        return; // editing and control keys
    const QChar key(KeyAscii);
    const bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'.') {
        KeyAscii = 0;
        return;
    }
    QString text = box->text();
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const int length = box->hasSelectedText() ? int(box->selectedText().size()) : 0;
    text.replace(start, length, key);

    if (!NumberShapeValidator::shapeKept(text, sizeLimit, decimalPlaces))
        KeyAscii = 0;
}
