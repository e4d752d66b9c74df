#pragma once

#include <QString>
#include <random>

// Texts a clerk might type or paste, drawn from a seeded generator so a failing case repeats:
// quotes, statement fragments, wildcards, control characters, letters of other scripts, blanks,
// and now and then a 10,000-character paste.
class RandomText
{
public:
    explicit RandomText(quint32 seed) : m_random(seed) {}
    QString next();

private:
    std::mt19937 m_random;
};
