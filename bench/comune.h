// What the benchmarks share: the largest questionnaire, medians, clocks and the process's memory.
#pragma once

#include "modelli/modello.h"
#include "questionario/questionario.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace banco {

constexpr int membriMassimi = 500;

inline double mediana(std::vector<double> valori)
{
    if (valori.empty())
        return 0;
    std::sort(valori.begin(), valori.end());
    const size_t n = valori.size();
    return n % 2 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

inline double massimo(const std::vector<double>& valori)
{
    return valori.empty() ? 0 : *std::max_element(valori.begin(), valori.end());
}

// The monotonic clock shared by every process of the machine, in nanoseconds: a child's moment can be
// compared with its parent's.
inline qint64 adessoNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

template <typename Passo> double millisecondi(Passo&& passo)
{
    const qint64 inizio = adessoNs();
    passo();
    return double(adessoNs() - inizio) / 1e6;
}

// Resident memory now, in bytes.
inline qint64 residenteOra()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campi = statm.readAll().split(' ');
    return campi.size() > 1 ? campi[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// A text of exactly 65000 characters with what the writer must escape or convert: accents, markup
// characters, quotes and CR LF line breaks.
inline QString testoPieno(int seme)
{
    const QString pezzo = QStringLiteral("Requisito %1: esperienza è à ù <&> \"quotata\"\r\n").arg(seme);
    QString testo;
    testo.reserve(Questionario::lunghezzaMassimaNota);
    while (testo.size() + pezzo.size() <= Questionario::lunghezzaMassimaNota)
        testo += pezzo;
    return testo + QString(Questionario::lunghezzaMassimaNota - testo.size(), u'x');
}

// The largest questionnaire a file can carry: every general field, every answer SI with its note at the
// limit, 500 members with every cell filled and their requirements at the limit.
inline void riempiMassimo(Questionario& q)
{
    const Questionario::Caricamento caricamento(q);
    for (int campo : q.profilo().campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("12"));
    for (int i = 0; i < numeroIndici; ++i) {
        q.setBox(i, Casella::SI, true);
        q.setSegnoNota(i, true);
        q.setNotaSI(i, testoPieno(i));
    }
    TabellaMembri& t = q.membri();
    while (t.numeroMembri() < membriMassimi)
        if (!t.aggiungiMembro())
            break;
    const LayoutMembri& l = t.layout();
    for (int r = 0; r < membriMassimi; ++r) {
        for (int c = 1; c <= l.ultimaColonnaDati; ++c)
            t.setCella(r, c, QString::number(r % 1000));
        t.setCella(r, l.colonnaNascosta, testoPieno(r));
        t.setCella(r, l.colonnaRequisiti, QStringLiteral("SI"));
    }
}

inline const char* sigla(Modello modello)
{
    switch (modello) {
    case Modello::Tradizionale:
        return "trad";
    case Modello::Dualistico:
        return "dual";
    case Modello::Monistico:
        return "mon";
    }
    return "";
}

} // namespace banco
