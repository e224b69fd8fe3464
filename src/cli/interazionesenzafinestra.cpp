#include "cli/interazionesenzafinestra.h"

QList<MessaggioConPosto> messaggiConPosto(const QList<EventoInterazione>& eventi)
{
    using Tipo = EventoInterazione::Tipo;
    QList<MessaggioConPosto> messaggi;
    MessaggioConPosto inAttesa; // moves made before the message they belong to
    bool aperto = false;        // the last message still takes moves made after it
    bool ripristinata = false;  // the window was restored after the last message got its page
    for (const EventoInterazione& e : eventi) {
        switch (e.tipo) {
        case Tipo::Messaggio:
            inAttesa.titolo = e.titolo;
            inAttesa.testo = e.testo;
            messaggi.append(inAttesa);
            inAttesa = {};
            aperto = true;
            ripristinata = false;
            break;
        case Tipo::Ripristino:
            if (aperto && messaggi.last().pagina)
                ripristinata = true;
            break;
        case Tipo::Pagina:
            if (aperto && !messaggi.last().pagina) {
                messaggi.last().pagina = e.pagina;
            } else {
                aperto = false;
                inAttesa.pagina = e.pagina;
            }
            break;
        case Tipo::Focus:
            if (aperto && !messaggi.last().focus && (!messaggi.last().pagina || ripristinata)) {
                messaggi.last().focus = e.controllo;
            } else {
                aperto = false;
                inAttesa.focus = e.controllo;
            }
            break;
        }
    }
    return messaggi;
}

Interazione::Esito InterazioneSenzaFinestra::messaggio(const QString& testo, const QString& titolo,
                                                       Pulsanti pulsanti, Icona)
{
    m_eventi.append({EventoInterazione::Tipo::Messaggio, titolo, testo, -1, QString()});
    switch (pulsanti) {
    case Pulsanti::Ok:
        return Esito::Ok;
    case Pulsanti::SiNo:
        return Esito::No;
    case Pulsanti::SiNoAnnulla:
        break;
    }
    return Esito::Annulla;
}

void InterazioneSenzaFinestra::mostraPagina(int pagina)
{
    m_eventi.append({EventoInterazione::Tipo::Pagina, QString(), QString(), pagina, QString()});
}

void InterazioneSenzaFinestra::ripristinaFinestra()
{
    m_eventi.append({EventoInterazione::Tipo::Ripristino, QString(), QString(), -1, QString()});
}

void InterazioneSenzaFinestra::spostaFocus(const QString& nomeControllo)
{
    m_eventi.append({EventoInterazione::Tipo::Focus, QString(), QString(), -1, nomeControllo});
}
