#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

// The figures of a new issue as they are stored: the amount and the instalment rounded once to
// the cent, as the boxes show them, and the total to be repaid worked out from those, so that
// what the register, the statement and payroll read all derive from the same cents.
class IssueFigures
{
public:
    // The largest amount, and the largest total to be repaid, that a new issue may carry: every
    // figure of its statement is printed whole up to it.
    static constexpr qint64 highestCents = 99'999'999'999'999;
    static constexpr int mostPayments = 9999;

    // Read from the texts of the amount, payments and instalment boxes (leading-number reading).
    IssueFigures(const QString& amount, const QString& payments, const QString& instalment);

    // Why payroll could not recover an issue with these figures, and the box to correct; an
    // empty message where nothing is wrong. The amount is named as the register's type calls it
    // ("loan" or "advance").
    enum class Box { Amount, Payments, Instalment };
    struct Refusal
    {
        QString message;
        Box box = Box::Amount;
    };
    Refusal refusal(const QString& amountName) const;

    double amount() const { return double(m_amountCents) / 100; }
    double instalment() const { return double(m_instalmentCents) / 100; }
    double payments() const { return m_payments; }
    double currentBalance() const;

private:
    double m_amountValue = 0;
    double m_instalmentValue = 0;
    double m_payments = 0;
    qint64 m_amountCents = 0;     // -1 beyond highestCents
    qint64 m_instalmentCents = 0; // -1 beyond highestCents
};

// How a box shows a stored or approved figure: written out in full, never in exponent form; a
// text that is no number as it stands. Null gives the empty text.
QString figureBoxText(const QVariant& value);
// The same for an amount a new issue takes over: rounded once to the cent first, as stored.
QString amountBoxText(const QVariant& value);
