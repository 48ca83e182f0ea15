#pragma once

#include "reading/randomsource.h"

#include <QList>

namespace Orvella::Test {

/** Hands out the scripted values in order, then a fixed spread-out sequence. */
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(QList<double> values = {}) : m_values(std::move(values)) {}

    void script(QList<double> values)
    {
        m_values = std::move(values);
        m_next = 0;
    }
    double next() override
    {
        ++m_taken;
        if (m_next < m_values.size())
            return m_values[m_next++];
        // Past the script: steps of 7/44 reach every card, so draws always finish.
        m_after = (m_after + 7) % 44;
        return (m_after + 0.25) / 44.0;
    }
    void seedFromClock() override { ++m_seeds; }

    int taken() const { return m_taken; }
    int seeds() const { return m_seeds; }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
    int m_taken = 0;
    int m_seeds = 0;
    int m_after = 0;
};

} // namespace Orvella::Test
