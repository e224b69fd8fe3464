#include "questionario/questionario.h"

#include "questionario/alzata.h"
#include "questionario/interazione.h"
#include "questionario/testo.h"

Questionario::Questionario(Modello modello, Interazione& interazione, QObject* parent)
    : QObject(parent), m_profilo(::profilo(modello)), m_interazione(interazione), m_membri(modello)
{
    for (int campo : m_profilo.campiGenerali())
        m_campiGenerali.insert(campo, QString());
}

bool& Questionario::stato(int indice, Casella casella)
{
    Caselle& c = m_caselle[indice];
    switch (casella) {
    case Casella::SI:
        return c.si;
    case Casella::NO:
        return c.no;
    case Casella::NA:
        break;
    }
    return c.na;
}

bool Questionario::stato(int indice, Casella casella) const
{
    const Caselle& c = m_caselle[indice];
    return casella == Casella::SI ? c.si : casella == Casella::NO ? c.no : c.na;
}

bool Questionario::casella(int indice, Casella casella) const
{
    return indiceValido(indice) && stato(indice, casella);
}

Risposta Questionario::risposta(int indice) const
{
    if (!indiceValido(indice))
        return Risposta::Nessuna;
    const Caselle& c = m_caselle[indice];
    if (c.si)
        return Risposta::SI;
    if (c.no)
        return Risposta::NO;
    if (c.na)
        return Risposta::NA;
    return Risposta::Nessuna;
}

void Questionario::tickSI(int indice)
{
    setBox(indice, Casella::SI, !casella(indice, Casella::SI));
}

void Questionario::tickNO(int indice)
{
    setBox(indice, Casella::NO, !casella(indice, Casella::NO));
}

void Questionario::tickNA(int indice)
{
    setBox(indice, Casella::NA, !casella(indice, Casella::NA));
}

void Questionario::setBox(int indice, Casella casella, bool nuovo)
{
    if (!indiceValido(indice))
        return;
    bool& attuale = stato(indice, casella);
    if (attuale == nuovo)
        return;
    attuale = nuovo;
    Q_EMIT casellaCambiata(indice, casella, nuovo);
    eseguiRegola(indice, casella);
}

void Questionario::eseguiRegola(int indice, Casella casella)
{
    switch (casella) {
    case Casella::SI:
        regolaSI(indice);
        break;
    case Casella::NO:
        regolaNO(indice);
        break;
    case Casella::NA:
        regolaNA(indice);
        break;
    }
}

Questionario::TriggerNota Questionario::noteTrigger(int indice) const
{
    if (!indiceValido(indice))
        return {};
    return {m_profilo.notaSuSI.test(indice), m_profilo.notaSuNO.test(indice)};
}

void Questionario::regolaSI(int i)
{
    segnaModificato();
    const bool ticked = m_caselle[i].si;
    // Withdrawing a SI discards its note, even while a file is being read.
    if (!ticked && m_segniNota[i]) {
        m_noteSI[i].clear();
        setSegnoNota(i, false);
        Q_EMIT testoNotaSvuotato();
        return;
    }
    if (m_flagCaricamento)
        return;

    const Alzata inClickSI(m_inClickSI);
    const bool apertura = ticked && !m_bloccoClick && !m_inClickNO && m_profilo.passaTestIndiceSI(i);
    if (apertura && m_profilo.notaSuSI.test(i)) {
        setBox(i, Casella::NO, false);
        setBox(i, Casella::NA, false);
        m_interazione.apriNotaGruppo(i);
    }
    // The single boxes 79, 81 (and 80 outside the traditional model) open their note on their own.
    if (!apertura && i >= 79 && m_caselle[i].si)
        m_interazione.apriNotaGruppo(i);
    if (i < 79 && !m_inClickNO && !m_inClickNA) {
        setBox(i, Casella::NO, false);
        setBox(i, Casella::NA, false);
    }
}

void Questionario::regolaNO(int i)
{
    segnaModificato();
    const bool ticked = m_caselle[i].no;
    if (!ticked && m_segniNota[i]) {
        m_noteAltre[i].clear();
        setSegnoNota(i, false);
        return;
    }
    if (m_flagCaricamento)
        return;

    const Alzata inClickNO(m_inClickNO);
    const Domanda& d = m_profilo.domanda(i);
    if (ticked && d.etichettaNotaVisibile && !m_inClickSI && !m_bloccoClick && m_profilo.notaSuNO.test(i)) {
        setBox(i, Casella::SI, false);
        setBox(i, Casella::NA, false);
        m_interazione.apriNotaGruppo(i);
    }
    if (!m_inClickSI && !m_inClickNA) {
        setBox(i, Casella::SI, false);
        setBox(i, Casella::NA, false);
    }
}

void Questionario::regolaNA(int i)
{
    segnaModificato();
    if (m_flagCaricamento)
        return;
    const Alzata inClickNA(m_inClickNA);
    if (!m_inClickSI && !m_inClickNO) {
        setBox(i, Casella::SI, false);
        setBox(i, Casella::NO, false);
    }
}

QString Questionario::notaSI(int indice) const
{
    return indiceValido(indice) ? m_noteSI[indice] : QString();
}

QString Questionario::notaAltre(int indice) const
{
    return indiceValido(indice) ? m_noteAltre[indice] : QString();
}

bool Questionario::segnoNota(int indice) const
{
    return indiceValido(indice) && m_segniNota[indice];
}

bool Questionario::setNotaSI(int indice, const QString& testo)
{
    if (!indiceValido(indice))
        return false;
    m_noteSI[indice] = testo;
    return true;
}

bool Questionario::setNotaAltre(int indice, const QString& testo)
{
    if (!indiceValido(indice))
        return false;
    m_noteAltre[indice] = testo;
    return true;
}

bool Questionario::setSegnoNota(int indice, bool segno)
{
    if (!indiceValido(indice))
        return false;
    if (m_segniNota[indice] != segno) {
        m_segniNota[indice] = segno;
        Q_EMIT segnoNotaCambiato(indice, segno);
    }
    return true;
}

namespace {

enum class Apertura
{
    Mai,
    SuSI,
    SuNO,
    SuSIoNO
};

// Which ticked answer lets a note label open a note that has no text yet. The same in every model; a label
// a model does not show never opens anything.
Apertura aperturaDaEtichetta(int i)
{
    if ((i >= 0 && i <= 3) || (i >= 11 && i <= 16) || i == 18 || i == 31 || i == 43 || i == 74 || i >= 79)
        return Apertura::SuSI;
    if (i == 20 || i == 22 || i == 24 || i == 26 || i == 28)
        return Apertura::SuSIoNO;
    if (i == 6 || i == 7 || (i >= 48 && i <= 72) || i == 77 || i == 78)
        return Apertura::SuNO;
    return Apertura::Mai;
}

} // namespace

bool Questionario::notaApribileDaEtichetta(int indice) const
{
    if (!indiceValido(indice))
        return false;
    if (!m_profilo.domanda(indice).etichettaNotaVisibile)
        return false;
    if (m_segniNota[indice])
        return true;
    const Caselle& c = m_caselle[indice];
    switch (aperturaDaEtichetta(indice)) {
    case Apertura::SuSI:
        return c.si;
    case Apertura::SuNO:
        return c.no;
    case Apertura::SuSIoNO:
        return c.si || c.no;
    case Apertura::Mai:
        break;
    }
    return false;
}

QString Questionario::testoNota(int i) const
{
    if (!indiceValido(i))
        return {};
    return normalizzaACapo(m_caselle[i].si ? m_noteSI[i] : m_noteAltre[i]);
}

void Questionario::cancellaNota(int i)
{
    if (!indiceValido(i))
        return;
    if (m_caselle[i].si)
        m_noteSI[i].clear();
    else
        m_noteAltre[i].clear();
}

void Questionario::fineNota(int i, const QString& testo)
{
    if (!indiceValido(i))
        return;
    const bool vuoto = soloSpazi(testo);
    QString& slot = m_caselle[i].si ? m_noteSI[i] : m_noteAltre[i];
    if (vuoto) {
        setSegnoNota(i, false);
        slot.clear();
        // An answer that calls for a note is withdrawn when its note is left empty.
        const Alzata bloccoClick(m_bloccoClick);
        if (m_caselle[i].si)
            setBox(i, Casella::SI, false);
        else if (m_caselle[i].no)
            setBox(i, Casella::NO, false);
    } else {
        setSegnoNota(i, true);
        slot = troncaSenzaSpezzare(testo, lunghezzaMassimaNota);
    }
}

QString Questionario::campoGenerale(int indice) const
{
    return m_campiGenerali.value(indice);
}

void Questionario::setCampoGenerale(int indice, const QString& testo)
{
    auto campo = m_campiGenerali.find(indice);
    if (campo == m_campiGenerali.end() || *campo == testo)
        return;
    *campo = testo;
    Q_EMIT campoGeneraleCambiato(indice, testo);
    if (m_flagCaricamento)
        return;
    // A complete day or month moves the focus on to the next part of the date.
    if ((indice == 2 || indice == 3 || indice == 34 || indice == 35) && testo.size() == 2)
        m_interazione.spostaFocus(QStringLiteral("TEXT_GENERALE_%1").arg(indice + 1));
    segnaModificato();
}

void Questionario::setRiunioniNA(bool stato)
{
    if (!m_profilo.haRiunioniComitatoEsecutivo || m_riunioniNA == stato)
        return;
    m_riunioniNA = stato;
    if (stato) {
        // Emptying the field is not an edit of the field itself.
        const bool caricamento = m_flagCaricamento;
        m_flagCaricamento = true;
        setCampoGenerale(65, QString());
        m_flagCaricamento = caricamento;
    }
    Q_EMIT riunioniNACambiato(stato);
    if (!m_flagCaricamento)
        segnaModificato();
}

QString Questionario::conteggioRiquadroII(int numero) const
{
    return numero >= 0 && numero < 3 ? m_conteggiRiquadroII[numero] : QString();
}

void Questionario::setConteggioRiquadroII(int numero, const QString& testo)
{
    if (numero < 0 || numero >= 3 || m_conteggiRiquadroII[numero] == testo)
        return;
    // These counts have no change rule: typing them does not count as an edit.
    m_conteggiRiquadroII[numero] = testo;
    Q_EMIT conteggioRiquadroIICambiato(numero, testo);
}

void Questionario::segnaModificato()
{
    Q_EMIT modificato();
}
