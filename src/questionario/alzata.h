#pragma once

// A flag raised while the guard lives; lowered, not restored, when it ends, as the rules say of their guards.
class Alzata
{
public:
    explicit Alzata(bool& bandiera) : m_bandiera(bandiera) { m_bandiera = true; }
    ~Alzata() { m_bandiera = false; }
    Alzata(const Alzata&) = delete;
    Alzata& operator=(const Alzata&) = delete;

private:
    bool& m_bandiera;
};
