#include "support/interazionefinta.h"

#include "questionario/questionario.h"

Interazione::Esito InterazioneFinta::messaggio(const QString& testo, const QString& titolo, Pulsanti pulsanti,
                                               Icona icona)
{
    messaggi.append({testo, titolo, pulsanti, icona});
    registro.append(QStringLiteral("messaggio|%1|%2").arg(titolo, testo));
    if (!risposteMessaggi.isEmpty())
        return risposteMessaggi.dequeue();
    return pulsanti == Pulsanti::Ok ? Esito::Ok : Esito::Si;
}

std::optional<QString> InterazioneFinta::chiediFileDaSalvare(const FiltroFile& dialogo)
{
    dialoghiFile.append(dialogo);
    registro.append(QStringLiteral("salvafile|%1").arg(dialogo.titolo));
    return fileDaSalvare.isEmpty() ? std::nullopt : fileDaSalvare.dequeue();
}

std::optional<QString> InterazioneFinta::chiediFileDaAprire(const FiltroFile& dialogo)
{
    dialoghiFile.append(dialogo);
    registro.append(QStringLiteral("aprifile|%1").arg(dialogo.titolo));
    return fileDaAprire.isEmpty() ? std::nullopt : fileDaAprire.dequeue();
}

void InterazioneFinta::beep()
{
    ++beepSuonati;
    registro.append(QStringLiteral("beep"));
}

void InterazioneFinta::stampa(const std::function<bool(SuperficieStampa&)>& disegno, const QString& titolo)
{
    registro.append(QStringLiteral("stampa|%1").arg(titolo));
    if (stampante)
        disegno(*stampante);
}

void InterazioneFinta::apriNotaGruppo(int indice)
{
    registro.append(QStringLiteral("nota|%1").arg(indice));
    if (editorNota) {
        editorNota(indice);
        return;
    }
    if (questionario)
        questionario->fineNota(indice, testiNota.isEmpty() ? QString() : testiNota.dequeue());
}

void InterazioneFinta::apriNotaMembro(int riga)
{
    registro.append(QStringLiteral("notamembro|%1").arg(riga));
    if (editorNotaMembro)
        editorNotaMembro(riga);
}

void InterazioneFinta::mostraPagina(int pagina)
{
    registro.append(QStringLiteral("pagina|%1").arg(pagina));
}

void InterazioneFinta::ripristinaFinestra()
{
    registro.append(QStringLiteral("ripristina"));
}

void InterazioneFinta::spostaFocus(const QString& nomeControllo)
{
    registro.append(QStringLiteral("focus|%1").arg(nomeControllo));
}

void InterazioneFinta::impostaTitolo(const QString& titolo)
{
    registro.append(QStringLiteral("titolo|%1").arg(titolo));
}

void InterazioneFinta::terminaProgramma()
{
    ++terminazioni;
    registro.append(QStringLiteral("termina"));
}

QStringList InterazioneFinta::chiamate(const QString& tipo) const
{
    QStringList trovate;
    const QString prefisso = tipo + u'|';
    for (const QString& riga : registro) {
        if (riga == tipo || riga.startsWith(prefisso))
            trovate.append(riga);
    }
    return trovate;
}
