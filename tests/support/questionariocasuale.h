#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

class Questionario;

// Everything a file can carry, one "key=value" line each. With `normalizza`, the members are as the file
// brings them back: empty rows after the president dropped, at least three rows, labels renumbered, the
// minority mark upper-cased.
QStringList istantanea(const Questionario& q, bool normalizza = false);

// Empty when equal, else the first differing line of each, shortened.
QString differenza(const QStringList& letta, const QStringList& attesa);

// Random questionnaires as the editing rules leave them: one box at most, a note only for the answer that
// keeps it, the note mark set with the note (79 and 80: with any SI), "SI" beside a requirements text, line
// breaks in notes as CR LF. `grande`: hundreds of members and some notes at the length limit.
class Generatore
{
public:
    explicit Generatore(quint32 seme) : m_g(seme) {}

    QString testo(int massimo);
    QString cifre(int quante);
    void riempi(Questionario& q, bool grande);

private:
    QRandomGenerator m_g;
};
