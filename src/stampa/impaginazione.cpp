#include "stampa/impaginazione.h"

#include "questionario/testo.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace {

// Positions are sums of decimal steps that binary floating point does not hold exactly.
constexpr double tolleranza = 1e-9;
constexpr double spazioDopoEtichetta = 2;
constexpr double spazioDopoBlocco = 0.7;
constexpr double xDidascaliaNota = 5;
constexpr double xIntestazione = 5;

bool spazio(QChar c)
{
    return c == u' ';
}

// Position `e` ends a word of `t`: the character before it is not a space, the one at it is a space or the
// end.
bool fineParola(QStringView t, qsizetype e)
{
    return e > 0 && !spazio(t[e - 1]) && (e == t.size() || spazio(t[e]));
}

// Largest n in [0, massimo] for which `vale(n)` holds, given that it holds for 0 and, once false, stays
// false. It gallops out from `stima` and then halves, so a good guess costs two or three calls whatever the
// length.
template <typename Vale> qsizetype ultimoValido(qsizetype stima, qsizetype massimo, Vale vale)
{
    qsizetype basso = 0;
    qsizetype alto = massimo + 1;
    stima = std::clamp<qsizetype>(stima, 0, massimo);
    if (vale(stima)) {
        basso = stima;
        for (qsizetype passo = 1; basso < massimo; passo *= 2) {
            const qsizetype prova = std::min(massimo, basso + passo);
            if (!vale(prova)) {
                alto = prova;
                break;
            }
            basso = prova;
        }
        if (basso == massimo)
            return massimo;
    } else {
        alto = stima;
        for (qsizetype passo = 1;; passo *= 2) {
            const qsizetype prova = std::max<qsizetype>(0, alto - passo);
            if (prova == 0 || vale(prova)) {
                basso = prova;
                break;
            }
            alto = prova;
        }
    }
    while (alto - basso > 1) {
        const qsizetype medio = basso + (alto - basso) / 2;
        (vale(medio) ? basso : alto) = medio;
    }
    return basso;
}

} // namespace

void CambioPaginaNumerata::primaDellaRiga(Impaginazione& pagina)
{
    if (!pagina.rigaOltreIlFondo())
        return;
    paginaSeguente(pagina);
    const Intestazione ripetuta = pagina.intestazioneCorrente();
    pagina.intestazione(ripetuta);
}

void CambioPaginaNumerata::paginaSeguente(Impaginazione& pagina)
{
    pagina.setNumeroPagina(pagina.numeroPagina() + 1);
    pagina.nuovaPagina();
    pagina.testoADestra(2, QStringLiteral("Pagina ") + QString::number(pagina.numeroPagina()),
                        Impaginazione::dimensioneCorpo, 2);
}

Impaginazione::Impaginazione(SuperficieStampa& superficie, const QString& carattere, double larghezza,
                             double altezza, RegolaCambioPagina* regola)
    : m_superficie(superficie), m_nomeCarattere(carattere), m_larghezza(larghezza), m_altezza(altezza),
      m_regola(regola)
{
    m_superficie.impostaScala(larghezza, altezza);
    this->carattere(dimensioneCorpo, false);
}

bool Impaginazione::rigaOltreIlFondo() const
{
    return m_yCorrente + margineFondo > m_altezza + tolleranza;
}

void Impaginazione::carattere(double dimensione, bool grassetto)
{
    const std::pair voluto{dimensione, grassetto};
    if (m_carattere == voluto)
        return;
    m_carattere = voluto;
    m_superficie.impostaCarattere(m_nomeCarattere, dimensione, grassetto);
}

double Impaginazione::larghezzaTesto(QStringView testo, double dimensione, bool grassetto)
{
    carattere(dimensione, grassetto);
    return larghezza(testo);
}

void Impaginazione::testo(double x, double y, const QString& testo, double dimensione, bool grassetto)
{
    if (interrotta())
        return;
    carattere(dimensione, grassetto);
    m_superficie.impostaX(x);
    m_superficie.impostaY(y);
    m_superficie.stampaTesto(testo);
}

void Impaginazione::testoCentrato(double y, const QString& testo, double dimensione)
{
    this->testo((m_larghezza - larghezzaTesto(testo, dimensione, false)) / 2, y, testo, dimensione);
}

void Impaginazione::testoADestra(double y, const QString& testo, double dimensione, double margine)
{
    this->testo(m_larghezza - larghezzaTesto(testo, dimensione, false) - margine, y, testo, dimensione);
}

qsizetype Impaginazione::ripetizioni(QChar c, double obiettivo)
{
    if (obiettivo <= 0)
        return 0;
    const double una = larghezza(QStringView(&c, 1));
    const qsizetype stima = una > 0 ? static_cast<qsizetype>(std::ceil(obiettivo / una)) : 1;
    // A bound keeps a font without width for the character from running away.
    const QString fila(4 * stima + 64, c);
    const qsizetype piuCorta = ultimoValido(stima - 1, fila.size() - 1, [&](qsizetype n) {
        return larghezza(QStringView(fila).first(n)) < obiettivo;
    });
    return piuCorta + 1;
}

void Impaginazione::riga(double y, double dimensione)
{
    carattere(dimensione, false);
    testo(0, y, QString(ripetizioni(u'_', m_larghezza), u'_'), dimensione);
}

void Impaginazione::nuovaPagina()
{
    if (!interrotta())
        m_superficie.nuovaPagina();
}

void Impaginazione::intestazione(const Intestazione& intestazione)
{
    m_intestazione = intestazione;
    testo(xIntestazione, intestazione.yTesto, intestazione.testo, dimensioneIntestazione);
    riga(intestazione.yRiga, dimensioneIntestazione);
    carattere(dimensioneCorpo, true);
    m_superficie.impostaX(0);
    m_superficie.impostaY(intestazione.yCorpo);
    m_yCorrente = intestazione.yCorpo;
}

void Impaginazione::cambioPagina()
{
    if (m_regola && !interrotta())
        m_regola->primaDellaRiga(*this);
}

double Impaginazione::LarghezzeCaratteri::di(QChar c, const SuperficieStampa& superficie)
{
    const char16_t codice = c.unicode();
    double* l = nullptr;
    if (codice < latino.size()) {
        l = &latino[codice];
    } else {
        auto trovata = altri.find(codice);
        if (trovata == altri.end())
            trovata = altri.insert(codice, -1);
        l = &*trovata;
    }
    if (*l < 0)
        *l = superficie.larghezzaTesto(QStringView(&c, 1));
    return *l;
}

QList<QStringView> Impaginazione::spezza(QStringView testo, double soglia, double massimo, bool taglia)
{
    // Where a line ends is guessed from the advances of single characters, scaled by how far the real widths
    // (kerning, shaping) strayed from them on the lines before. The real string is measured at the guessed
    // word end, and beside it only where the guess comes within `incerto` units of a limit: about one
    // measurement a line, and the maximum is never passed.
    constexpr double incerto = 2;
    LarghezzeCaratteri& larghezze = m_larghezzeCaratteri[*m_carattere];
    QVarLengthArray<double, 256> stime;
    QList<QStringView> righe;
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        const QStringView resto = testo.sliced(inizio);
        const qsizetype n = resto.size();
        stime.resize(1);
        stime[0] = 0;
        // Estimated width of the first k characters.
        const auto stima = [&](qsizetype k) {
            for (qsizetype i = stime.size() - 1; i < k; ++i) {
                const QChar c = resto[i];
                const double nota =
                    c.unicode() < larghezze.latino.size() ? larghezze.latino[c.unicode()] : -1;
                stime.append(stime.last() +
                             (nota >= 0 ? nota : larghezze.di(c, m_superficie)) * larghezze.rapporto);
            }
            return stime[k];
        };
        const auto misura = [&](qsizetype k) {
            const double l = larghezza(resto.first(k));
            if (l > 0 && stima(k) > 0)
                larghezze.rapporto = std::clamp(larghezze.rapporto * l / stima(k), 0.5, 2.0);
            return l;
        };
        const auto precedente = [&](qsizetype da) {
            for (qsizetype e = da; e > 0; --e) {
                if (fineParola(resto, e))
                    return e;
            }
            return qsizetype(-1);
        };
        // A line of the page holds a few hundred characters at most: the bound keeps characters without
        // width from making the guess walk the whole paragraph.
        const qsizetype limiteStima = std::min<qsizetype>(n, 1024);
        qsizetype ipotesi = 0;
        while (ipotesi < limiteStima && stima(ipotesi + 1) <= massimo)
            ++ipotesi;

        qsizetype fine = precedente(ipotesi);
        double larghezzaFine = fine > 0 ? misura(fine) : 0;
        while (fine > 0 && larghezzaFine > massimo + tolleranza) {
            fine = precedente(fine - 1);
            larghezzaFine = fine > 0 ? misura(fine) : 0;
        }
        if (fine > 0) {
            for (qsizetype dopo = fine + 1; dopo <= limiteStima && stima(dopo) <= massimo + incerto; ++dopo) {
                if (!fineParola(resto, dopo))
                    continue;
                const double l = misura(dopo);
                if (l > massimo + tolleranza)
                    break;
                fine = dopo;
                larghezzaFine = l;
            }
        }
        // Words are added while the line is narrower than the threshold: the line ends at the first word end
        // that reaches it. Between threshold and maximum there are only a few words to walk back over.
        const auto raggiunge = [&](qsizetype k) {
            const double l = k == fine ? larghezzaFine : stima(k);
            if (k != fine && std::abs(l - soglia) <= incerto)
                return misura(k) >= soglia - tolleranza;
            return l >= soglia - tolleranza;
        };
        if (fine > 0 && soglia < massimo && raggiunge(fine)) {
            for (qsizetype prima = precedente(fine - 1); prima > 0 && raggiunge(prima);
                 prima = precedente(prima - 1))
                fine = prima;
        }

        if (fine < 0 && taglia) {
            // A word wider than a line is cut, never through a character made of two UTF-16 units.
            fine = std::max<qsizetype>(1, ultimoValido(ipotesi, n, [&](qsizetype k) {
                                           return larghezza(resto.first(k)) <= massimo + tolleranza;
                                       }));
            if (fine < n && resto[fine - 1].isHighSurrogate())
                fine += fine > 1 ? -1 : 1;
        } else if (fine < 0) {
            fine = 1;
            while (fine < n && !fineParola(resto, fine))
                ++fine;
        }
        righe.append(resto.first(fine));
        inizio += fine;
        while (inizio < testo.size() && spazio(testo[inizio]))
            ++inizio;
    }
    return righe;
}

QStringList Impaginazione::partiValore(const QString& valore)
{
    carattere(dimensioneCorpo, false);
    const double massimo = m_larghezza * 3 / 4;
    if (larghezza(valore) <= massimo)
        return {valore};
    QStringList parti;
    for (QStringView parte : spezza(valore, massimo, massimo, true))
        parti.append(parte.toString());
    return parti;
}

double Impaginazione::rigaInGrassetto(QStringView riga, bool conCambioPagina)
{
    if (conCambioPagina)
        cambioPagina();
    const double y = m_yCorrente;
    testo(0, y, riga.toString(), dimensioneCorpo, true);
    m_yCorrente = m_superficie.y();
    return y;
}

void Impaginazione::puntini(double y, double larghezzaRiga, const QString& valore)
{
    carattere(dimensioneCorpo, false);
    const double larghezzaValore = larghezza(valore);
    const qsizetype n = ripetizioni(u'.', m_larghezza - (larghezzaRiga + 1) - larghezzaValore);
    if (n > 0) {
        const QString puntini(n, u'.');
        testo(m_larghezza - larghezza(puntini) - larghezzaValore, y, puntini, dimensioneCorpo);
    }
    if (!valore.isEmpty())
        testo(m_larghezza - larghezzaValore, y, valore, dimensioneCorpo);
}

void Impaginazione::chiudiConValore(double yRiga, double larghezzaRiga, const QStringList& parti,
                                    bool conCambioPagina)
{
    qsizetype daStampare = 0;
    if (larghezzaRiga + 1 + larghezzaTesto(parti.first(), dimensioneCorpo, false) <=
        m_larghezza + tolleranza) {
        puntini(yRiga, larghezzaRiga, parti.first());
        daStampare = 1;
    } else {
        puntini(yRiga, larghezzaRiga, QString());
    }
    for (; daStampare < parti.size() && !interrotta(); ++daStampare) {
        if (conCambioPagina)
            cambioPagina();
        const QString& parte = parti.at(daStampare);
        testo(m_larghezza - larghezzaTesto(parte, dimensioneCorpo, false), m_yCorrente, parte,
              dimensioneCorpo);
        m_yCorrente = m_superficie.y();
    }
}

void Impaginazione::rigaEtichetta(const QStringList& righeEtichetta, const QString& valore,
                                  bool conCambioPagina)
{
    const QStringList parti = partiValore(valore);
    const double accanto = m_larghezza - 1 - larghezzaTesto(parti.first(), dimensioneCorpo, false);
    double yRiga = m_yCorrente;
    double larghezzaRiga = 0;
    for (const QString& etichetta : righeEtichetta) {
        carattere(dimensioneCorpo, true);
        const QList<QStringView> righe = larghezza(etichetta) <= accanto + tolleranza
                                             ? QList<QStringView>{etichetta}
                                             : spezza(etichetta, accanto, accanto, false);
        for (QStringView riga : righe) {
            larghezzaRiga = larghezzaTesto(riga, dimensioneCorpo, true);
            yRiga = rigaInGrassetto(riga, conCambioPagina);
        }
    }
    chiudiConValore(yRiga, larghezzaRiga, parti, conCambioPagina);
    m_yCorrente = m_superficie.y() + spazioDopoEtichetta;
}

void Impaginazione::rigaDomanda(const QString& testo, const std::optional<QString>& risposta)
{
    carattere(dimensioneCorpo, true);
    QList<QStringView> righe = larghezza(testo) <= larghezzaDomanda + tolleranza
                                   ? QList<QStringView>{testo}
                                   : spezza(testo, larghezzaDomanda, larghezzaDomanda, false);
    double yRiga = m_yCorrente;
    double larghezzaRiga = 0;
    for (QStringView riga : righe) {
        if (interrotta())
            return;
        larghezzaRiga = larghezzaTesto(riga, dimensioneCorpo, true);
        yRiga = rigaInGrassetto(riga, true);
    }
    if (risposta)
        chiudiConValore(yRiga, larghezzaRiga, partiValore(*risposta), true);
    m_yCorrente = m_superficie.y() + spazioDopoBlocco;
}

void Impaginazione::bloccoNota(const QString& didascalia, const QString& testo, double soglia)
{
    cambioPagina();
    this->testo(xDidascaliaNota, m_yCorrente, didascalia, dimensioneCorpo, true);
    m_yCorrente = m_superficie.y();

    const QString normalizzato = normalizzaACapo(testo);
    const QStringView tutto(normalizzato);
    qsizetype inizio = 0;
    while (!interrotta()) {
        const qsizetype aCapo = tutto.indexOf(u"\r\n", inizio);
        const QStringView paragrafo = tutto.sliced(inizio, (aCapo < 0 ? tutto.size() : aCapo) - inizio);
        carattere(dimensioneCorpo, false);
        QList<QStringView> righe = spezza(paragrafo, std::min(soglia, massimoNota), massimoNota, true);
        if (righe.isEmpty())
            righe.append(paragrafo); // an empty paragraph is an empty line
        for (QStringView riga : righe) {
            if (interrotta())
                break;
            cambioPagina();
            this->testo(0, m_yCorrente, riga.toString(), dimensioneCorpo);
            m_yCorrente = m_superficie.y();
        }
        if (aCapo < 0)
            break;
        inizio = aCapo + 2;
    }
    m_yCorrente += spazioDopoBlocco;
}
