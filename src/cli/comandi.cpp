#include "cli/comandi.h"

#include "cli/jsonquestionario.h"
#include "documento/controllo.h"
#include "documento/documentoxml.h"
#include "documento/erroreoperazione.h"
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "legacy/letturav11.h"
#include "legacy/stampav11.h"
#include "modelli/posizionifile.h"
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"
#include "stampa/grafica/stampapdf.h"
#include "stampa/stampaquestionario.h"
#include "stampa/superficieregistrazione.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Message texts keep CR LF and CR; a terminal wants plain line breaks.
QString perTerminale(QString testo)
{
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(u'\r', u'\n');
    return testo;
}

void scriviErrore(QTextStream& errori, const QString& descrizione)
{
    errori << nomeProgrammaRigaComando() << ": " << perTerminale(descrizione) << '\n';
}

// A message the window would show, on standard error: title, then text.
void scriviMessaggioSuErrori(QTextStream& errori, const Messaggio& m)
{
    errori << nomeProgrammaRigaComando() << ": " << m.titolo << ": " << perTerminale(m.testo) << '\n';
}

QString motivoFile(const QFile& file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("accesso negato");
    case QFileDevice::ReadError:
        return QStringLiteral("errore di lettura");
    default:
        break;
    }
    return QStringLiteral("impossibile aprirlo");
}

// The largest JSON read, as for the files: well above the largest real questionnaire.
constexpr qint64 dimensioneMassimaJson = qint64(256) << 20;

// At most the largest JSON, read in pieces, so that an endless input is refused without being kept whole.
// `previsti`: the size expected (a file's): the bytes are read straight into one allocation of that size.
QByteArray leggiFinoAlMassimo(QIODevice& dispositivo, const QString& nome, qint64 previsti = 0)
{
    constexpr qsizetype pezzo = 1 << 16;
    QByteArray contenuto(qsizetype(std::clamp<qint64>(previsti, 0, dimensioneMassimaJson)) + pezzo,
                         Qt::Uninitialized);
    qsizetype usati = 0;
    for (;;) {
        if (contenuto.size() - usati < pezzo)
            contenuto.resize(std::min<qsizetype>(contenuto.size() * 2, dimensioneMassimaJson + pezzo));
        const qint64 n = dispositivo.read(contenuto.data() + usati, contenuto.size() - usati);
        if (n < 0)
            throw ErroreDati(QStringLiteral("Impossibile leggere il JSON %1: errore di lettura.").arg(nome));
        if (n == 0 && (dispositivo.atEnd() || !dispositivo.waitForReadyRead(-1))) {
            contenuto.truncate(usati);
            return contenuto;
        }
        usati += qsizetype(n);
        if (usati > dimensioneMassimaJson)
            throw ErroreDati(
                QStringLiteral("Impossibile leggere il JSON %1: è più grande di %2 MB, il massimo che si "
                               "legge.")
                    .arg(nome)
                    .arg(dimensioneMassimaJson >> 20));
    }
}

QByteArray leggiFileJson(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (!info.exists())
        throw ErroreDati(QStringLiteral("Impossibile leggere il JSON %1: il file non esiste.").arg(percorso));
    if (info.isDir())
        throw ErroreDati(QStringLiteral("Impossibile leggere il JSON %1: è una cartella.").arg(percorso));
    // A pipe with nobody writing would wait for ever, a device might never end: standard input is the way to
    // give a JSON that is not a file.
    if (!info.isFile())
        throw ErroreDati(
            QStringLiteral("Impossibile leggere il JSON %1: non è un file ordinario.").arg(percorso));
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreDati(
            QStringLiteral("Impossibile leggere il JSON %1: %2.").arg(percorso, motivoFile(file)));
    return leggiFinoAlMassimo(file, percorso, info.size());
}

// The model whose element the loaded file names. With `versione11`, a file whose root is not a
// questionnaire's is one for the traditional window, which hands it to the version 1.1 reader.
Modello modelloDelDocumento(const DocumentoXml& documento, const QString& percorso, bool versione11)
{
    QString radice, elemento;
    try {
        const NodoXml r = documento.radice();
        radice = r.nome();
        elemento = r.primoFiglio().primoFiglio().nome();
    } catch (const ErroreXml&) {
        // Left empty: no model matches.
    }
    for (Modello m : tuttiIModelli) {
        const PosizioniFile& p = posizioniFile(m);
        if (radice == p.nomeRadice && elemento == p.nomeElementoModello)
            return m;
        if (versione11 && p.radiceEstraneaAlLettoreV11 && radice != p.nomeRadice)
            return m;
    }
    throw ErroreDati(QStringLiteral("Il file %1 non è un questionario di nessun modello; con --modello lo si "
                                    "legge come lo leggerebbe la finestra di quel modello.")
                         .arg(percorso));
}

// What a file held: a questionnaire, or (read as the traditional window reads it) a file of version 1.1.
struct FileLetto
{
    std::unique_ptr<Questionario> questionario;
    std::optional<ContenutoV11> versione11;
};

// The reader's result, or nothing when it refused the file; its message goes to standard error.
FileLetto leggiXml(const QString& percorso, std::optional<Modello> modello, bool versione11,
                   Interazione& porta, QTextStream& errori)
{
    // Parsed once: the model is looked up in the same document that is then read.
    DocumentoXml documento;
    if (!documento.carica(percorso) && !modello)
        throw ErroreDati(documento.erroreCaricamento() + u'.');
    FileLetto letto;
    letto.questionario = std::make_unique<Questionario>(
        modello ? *modello : modelloDelDocumento(documento, percorso, versione11), porta);
    LettoreV11 lettore;
    if (versione11)
        lettore = [](const QString& file) { return leggiFileV11(file, ContenutoV11{}); };
    EsitoLettura esito = leggiDocumento(*letto.questionario, documento, percorso, lettore);
    if (esito.errore)
        scriviMessaggioSuErrori(errori, *esito.errore);
    if (esito.versione11 && esito.versione11->letto()) {
        letto.questionario.reset();
        letto.versione11 = std::move(esito.versione11->contenuto);
    } else if (!esito.letto) {
        letto.questionario.reset();
    }
    return letto;
}

std::unique_ptr<Questionario> questionarioDelFile(const Argomenti& a, Interazione& porta, QTextStream& errori)
{
    if (a.file.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
        return questionarioDaJson(leggiFileJson(a.file), porta);
    return std::move(leggiXml(a.file, a.modello, false, porta, errori).questionario);
}

void scriviEsitoJson(QIODevice& uscita, const QList<Problema>& problemi)
{
    ScrittoreJson json(uscita);
    json << "{\n  \"esito\": " << (problemi.isEmpty() ? "\"ok\"" : "\"errore\"") << ",\n  \"messaggi\": [";
    for (qsizetype k = 0; k < problemi.size(); ++k) {
        const Problema& p = problemi.at(k);
        json << (k == 0 ? "\n" : ",\n") << "    {\"titolo\": ";
        json.testo(p.messaggio.titolo);
        json << ", \"testo\": ";
        json.testo(p.messaggio.testo);
        json << ", \"pagina\": ";
        if (const std::optional<int> pagina = p.pagina())
            json.intero(*pagina);
        else
            json.nullo();
        json << ", \"focus\": ";
        if (const std::optional<QString> focus = p.focus())
            json.testo(*focus);
        else
            json.nullo();
        json << "}";
    }
    json << (problemi.isEmpty() ? "]\n}\n" : "\n  ]\n}\n");
    json.fine();
}

void scriviEsitoTesto(QIODevice& uscita, const QList<Problema>& problemi)
{
    QTextStream testo(&uscita);
    for (qsizetype k = 0; k < problemi.size(); ++k) {
        if (k > 0)
            testo << '\n';
        testo << problemi.at(k).messaggio.titolo << '\n'
              << perTerminale(problemi.at(k).messaggio.testo) << '\n';
    }
}

// A JSON as "scrivi" takes it, rather than an XML file: the first character past blanks and a byte order
// mark.
bool contenutoJson(const QString& percorso)
{
    QFile file(percorso);
    if (!QFileInfo(percorso).isFile() || !file.open(QIODevice::ReadOnly))
        return false; // the reader will say what is wrong with it
    QByteArray inizio = file.read(4096);
    if (inizio.startsWith("\xEF\xBB\xBF"))
        inizio.remove(0, 3);
    const QByteArray testo = inizio.trimmed();
    return testo.startsWith('{');
}

// Page units, rounded to three decimals.
double arrotondato(double valore)
{
    return std::round(valore * 1000) / 1000;
}

// One operation a line: [{"op": "testo", "x": ..., "y": ..., "testo": ..., "dimensione": ..., "grassetto":
// ...},
// {"op": "nuovaPagina"}, ..., {"op": "fine"}].
void scriviTraccia(QIODevice& uscita, const QList<OperazioneStampa>& operazioni)
{
    ScrittoreJson json(uscita);
    json << "[";
    for (qsizetype k = 0; k < operazioni.size(); ++k) {
        const OperazioneStampa& o = operazioni.at(k);
        json << (k == 0 ? "\n  {\"op\": " : ",\n  {\"op\": ");
        json.testo(nomeOperazione(o.tipo));
        if (o.tipo == OperazioneStampa::Tipo::Testo) {
            json << ", \"x\": ";
            json.numero(arrotondato(o.x));
            json << ", \"y\": ";
            json.numero(arrotondato(o.y));
            json << ", \"testo\": ";
            json.testo(o.testo);
            json << ", \"dimensione\": ";
            if (o.dimensione == std::floor(o.dimensione))
                json.intero(int(o.dimensione));
            else
                json.numero(arrotondato(o.dimensione));
            json << ", \"grassetto\": ";
            json.booleano(o.grassetto);
        }
        json << "}";
    }
    json << (operazioni.isEmpty() ? "]\n" : "\n]\n");
    json.fine();
}

// Runs a command, turning every failure it can meet into its message and exit status 2.
template <typename Funzione> int conErrori(QTextStream& errori, Funzione&& funzione)
{
    try {
        return funzione();
    } catch (const ErroreDati& e) {
        scriviErrore(errori, e.descrizione());
    } catch (const ErroreXml& e) {
        scriviErrore(errori, e.descrizione());
    } catch (const ErroreOperazione& e) {
        scriviErrore(errori, e.descrizione());
    } catch (const std::bad_alloc&) {
        scriviErrore(errori, QStringLiteral("Memoria insufficiente."));
    }
    return UscitaErroreFile;
}

} // namespace

int comandoLeggi(const Argomenti& a, QIODevice& uscita, QTextStream& errori)
{
    return conErrori(errori, [&] {
        InterazioneMuta porta;
        const FileLetto letto = leggiXml(a.file, a.modello, true, porta, errori);
        if (!letto.questionario && !letto.versione11)
            return int(UscitaErroreFile);
        ScrittoreJson json(uscita);
        if (letto.questionario)
            scriviQuestionarioJson(*letto.questionario, json);
        else
            scriviContenutoV11Json(*letto.versione11, json);
        json.fine();
        return int(UscitaFatto);
    });
}

int comandoScrivi(const Argomenti& a, QIODevice& ingresso, QTextStream& errori)
{
    return conErrori(errori, [&] {
        InterazioneMuta porta;
        const std::unique_ptr<Questionario> q = questionarioDaJson(
            a.file == QStringLiteral("-") ? leggiFinoAlMassimo(ingresso, QStringLiteral("-"))
                                          : leggiFileJson(a.file),
            porta);
        scriviFile(*q, a.uscita);
        return int(UscitaFatto);
    });
}

int comandoVerifica(const Argomenti& a, QIODevice& uscita, QTextStream& errori)
{
    return conErrori(errori, [&] {
        InterazioneMuta porta;
        const std::unique_ptr<Questionario> q = questionarioDelFile(a, porta, errori);
        if (!q)
            return int(UscitaErroreFile);
        const QList<Problema> tutti = controlloPrimaDellaGenerazione(*q);
        const QList<Problema> problemi =
            a.tutti ? senzaDomande(tutti, q->profilo()) : finoAlPrimoProblema(tutti);
        if (a.json)
            scriviEsitoJson(uscita, problemi);
        else
            scriviEsitoTesto(uscita, problemi);
        return int(problemi.isEmpty() ? UscitaFatto : UscitaProblemaTrovato);
    });
}

int comandoStampa(const Argomenti& a, QIODevice& uscita, QTextStream& errori)
{
    return conErrori(errori, [&] {
        InterazioneMuta porta;
        FileLetto letto;
        if (contenutoJson(a.file))
            letto.questionario = questionarioDaJson(leggiFileJson(a.file), porta);
        else
            letto = leggiXml(a.file, a.modello, true, porta, errori);
        if (!letto.questionario && !letto.versione11)
            return int(UscitaErroreFile);
        Disegno disegno;
        QString titolo;
        if (letto.questionario) {
            const Questionario& q = *letto.questionario;
            disegno = [&q](SuperficieStampa& superficie) { return stampaQuestionario(q, superficie); };
            titolo = q.profilo().titoloFinestra;
        } else {
            const ContenutoV11& contenuto = *letto.versione11;
            disegno = [&contenuto](SuperficieStampa& superficie) { return stampaV11(contenuto, superficie); };
            titolo = titoloVisoreV11(a.file, cartellaProgramma());
        }
        if (a.traccia) {
            SuperficieRegistrazione superficie;
            disegno(superficie);
            scriviTraccia(uscita, superficie.operazioni());
            return int(UscitaFatto);
        }
        QString errore;
        if (!stampaSuPdf(disegno, titolo, a.uscita, &errore))
            throw ErroreDati(QStringLiteral("Impossibile scrivere il file %1: %2").arg(a.uscita, errore));
        return int(UscitaFatto);
    });
}

int eseguiRigaComando(const QStringList& argomenti, QIODevice& ingresso, QIODevice& uscita,
                      QTextStream& errori)
{
    const RichiestaRigaComando richiesta = analizzaArgomenti(argomenti);
    if (!richiesta.argomenti) {
        if (richiesta.uscita == UscitaFatto)
            QTextStream(&uscita) << richiesta.testo;
        else
            errori << richiesta.testo;
        return richiesta.uscita;
    }
    const Argomenti& a = *richiesta.argomenti;
    switch (a.comando) {
    case Comando::Leggi:
        return comandoLeggi(a, uscita, errori);
    case Comando::Scrivi:
        return comandoScrivi(a, ingresso, errori);
    case Comando::Stampa:
        return comandoStampa(a, uscita, errori);
    case Comando::Verifica:
        break;
    }
    return comandoVerifica(a, uscita, errori);
}
