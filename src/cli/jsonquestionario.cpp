#include "cli/jsonquestionario.h"

#include "questionario/questionario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <optional>

ErroreDati::ErroreDati(QString descrizione)
    : m_descrizione(std::move(descrizione)), m_utf8(m_descrizione.toUtf8())
{}

namespace {

const QString chiaveModello = QStringLiteral("modello");
const QString chiaveDatiGenerali = QStringLiteral("datiGenerali");
const QString chiaveRiunioniNA = QStringLiteral("riunioniNA");
const QString chiaveConteggi = QStringLiteral("conteggiRiquadroII");
const QString chiaveRisposte = QStringLiteral("risposte");
const QString chiaveNoteSI = QStringLiteral("noteSI");
const QString chiaveNoteAltre = QStringLiteral("noteAltre");
const QString chiaveSegniNota = QStringLiteral("segniNota");
const QString chiaveMembri = QStringLiteral("membri");
constexpr int numeroConteggi = 3;

void aggiungiStringa(QString& uscita, const QString& testo)
{
    static const char cifre[] = "0123456789abcdef";
    auto escape = [&uscita](char16_t c) {
        uscita += QStringLiteral("\\u");
        for (int spostamento = 12; spostamento >= 0; spostamento -= 4)
            uscita += QLatin1Char(cifre[(c >> spostamento) & 0xF]);
    };
    uscita += u'"';
    const qsizetype n = testo.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = testo.at(i);
        switch (c.unicode()) {
        case u'"':
            uscita += QStringLiteral("\\\"");
            continue;
        case u'\\':
            uscita += QStringLiteral("\\\\");
            continue;
        case u'\b':
            uscita += QStringLiteral("\\b");
            continue;
        case u'\f':
            uscita += QStringLiteral("\\f");
            continue;
        case u'\n':
            uscita += QStringLiteral("\\n");
            continue;
        case u'\r':
            uscita += QStringLiteral("\\r");
            continue;
        case u'\t':
            uscita += QStringLiteral("\\t");
            continue;
        default:
            break;
        }
        if (c.unicode() < 0x20) {
            escape(c.unicode());
        } else if (c.isHighSurrogate() && i + 1 < n && testo.at(i + 1).isLowSurrogate()) {
            uscita += c;
            uscita += testo.at(++i);
        } else if (c.isSurrogate()) {
            // A lone surrogate has no UTF-8 form; escaped, it still comes back as the same text.
            escape(c.unicode());
        } else {
            uscita += c;
        }
    }
    uscita += u'"';
}

QString testoRisposta(Risposta r)
{
    switch (r) {
    case Risposta::SI:
        return QStringLiteral("SI");
    case Risposta::NO:
        return QStringLiteral("NO");
    case Risposta::NA:
        return QStringLiteral("NA");
    case Risposta::Nessuna:
        break;
    }
    return {};
}

// Writes the fixed layout: scalar arrays on one line, one line per general field, note and member row.
class ScrittoreJson
{
public:
    explicit ScrittoreJson(const Questionario& q) : m_q(q) {}

    QString scrivi()
    {
        const ProfiloModello& profilo = m_q.profilo();
        m_s += QStringLiteral("{\n");
        chiave(chiaveModello);
        aggiungiStringa(m_s, nomeModello(m_q.modello()));
        m_s += QStringLiteral(",\n");

        chiave(chiaveDatiGenerali);
        m_s += QStringLiteral("{\n");
        const QList<int> campi = profilo.campiGenerali();
        for (qsizetype k = 0; k < campi.size(); ++k) {
            m_s += QStringLiteral("    ");
            aggiungiStringa(m_s, QString::number(campi.at(k)));
            m_s += QStringLiteral(": ");
            aggiungiStringa(m_s, m_q.campoGenerale(campi.at(k)));
            m_s += k + 1 < campi.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
        }
        m_s += QStringLiteral("  },\n");

        chiave(chiaveRiunioniNA);
        booleano(m_q.riunioniNA());
        m_s += QStringLiteral(",\n");

        chiave(chiaveConteggi);
        QStringList conteggi;
        for (int k = 0; k < numeroConteggi; ++k)
            conteggi.append(m_q.conteggioRiquadroII(k));
        elencoInLinea(conteggi);
        m_s += QStringLiteral(",\n");

        QStringList risposte, noteSI, noteAltre;
        QList<bool> segni;
        for (int i = 0; i < numeroIndici; ++i) {
            risposte.append(testoRisposta(m_q.risposta(i)));
            noteSI.append(m_q.notaSI(i));
            noteAltre.append(m_q.notaAltre(i));
            segni.append(m_q.segnoNota(i));
        }
        chiave(chiaveRisposte);
        elencoInLinea(risposte);
        m_s += QStringLiteral(",\n");
        chiave(chiaveNoteSI);
        elencoARighe(noteSI);
        m_s += QStringLiteral(",\n");
        chiave(chiaveNoteAltre);
        elencoARighe(noteAltre);
        m_s += QStringLiteral(",\n");
        chiave(chiaveSegniNota);
        m_s += u'[';
        for (qsizetype k = 0; k < segni.size(); ++k) {
            if (k > 0)
                m_s += QStringLiteral(", ");
            booleano(segni.at(k));
        }
        m_s += QStringLiteral("],\n");

        chiave(chiaveMembri);
        m_s += QStringLiteral("[\n");
        const TabellaMembri& membri = m_q.membri();
        for (int r = 0; r < membri.numeroRighe(); ++r) {
            QStringList riga;
            for (int c = 0; c < membri.numeroColonne(); ++c)
                riga.append(membri.cella(r, c));
            m_s += QStringLiteral("    ");
            elencoInLinea(riga);
            m_s += r + 1 < membri.numeroRighe() ? QStringLiteral(",\n") : QStringLiteral("\n");
        }
        m_s += QStringLiteral("  ]\n}\n");
        return m_s;
    }

private:
    void chiave(const QString& nome)
    {
        m_s += QStringLiteral("  ");
        aggiungiStringa(m_s, nome);
        m_s += QStringLiteral(": ");
    }
    void booleano(bool valore) { m_s += valore ? QStringLiteral("true") : QStringLiteral("false"); }
    void elencoInLinea(const QStringList& testi)
    {
        m_s += u'[';
        for (qsizetype k = 0; k < testi.size(); ++k) {
            if (k > 0)
                m_s += QStringLiteral(", ");
            aggiungiStringa(m_s, testi.at(k));
        }
        m_s += u']';
    }
    void elencoARighe(const QStringList& testi)
    {
        m_s += QStringLiteral("[\n");
        for (qsizetype k = 0; k < testi.size(); ++k) {
            m_s += QStringLiteral("    ");
            aggiungiStringa(m_s, testi.at(k));
            m_s += k + 1 < testi.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
        }
        m_s += QStringLiteral("  ]");
    }

    const Questionario& m_q;
    QString m_s;
};

[[noreturn]] void rifiuta(const QString& descrizione)
{
    throw ErroreDati(descrizione);
}

QString descrizioneErroreJson(QJsonParseError::ParseError errore)
{
    switch (errore) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("oggetto non chiuso");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("mancano i due punti dopo il nome di una chiave");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("elenco non chiuso");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("manca una virgola tra due valori");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("valore non valido");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("il testo finisce dentro un numero");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("numero non valido");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("sequenza di escape non valida");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("testo UTF-8 non valido");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("testo tra virgolette non chiuso");
    case QJsonParseError::MissingObject:
        return QStringLiteral("manca l'oggetto principale");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("annidamento troppo profondo");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("documento troppo grande");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("altro testo dopo la fine del documento");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("errore sconosciuto");
}

QString indiceDi(const QString& chiave, qsizetype indice)
{
    return QStringLiteral("%1[%2]").arg(chiave).arg(indice);
}

QString testoDa(const QJsonValue& valore, const QString& dove)
{
    if (!valore.isString())
        rifiuta(QStringLiteral("%1 deve essere un testo.").arg(dove));
    return valore.toString();
}

bool booleanoDa(const QJsonValue& valore, const QString& dove)
{
    if (!valore.isBool())
        rifiuta(QStringLiteral("%1 deve essere true o false.").arg(dove));
    return valore.toBool();
}

// A present key must hold an array of exactly `lunghezza` elements (any length when negative); a missing
// key gives nothing.
std::optional<QJsonArray> elencoDa(const QJsonObject& radice, const QString& chiave, qsizetype lunghezza)
{
    const QJsonValue valore = radice.value(chiave);
    if (valore.isUndefined())
        return std::nullopt;
    if (!valore.isArray())
        rifiuta(QStringLiteral("%1 deve essere un elenco.").arg(chiave));
    QJsonArray elenco = valore.toArray();
    if (lunghezza >= 0 && elenco.size() != lunghezza)
        rifiuta(QStringLiteral("%1 deve avere %2 elementi, non %3.")
                    .arg(chiave)
                    .arg(lunghezza)
                    .arg(elenco.size()));
    return elenco;
}

Modello modelloDa(const QJsonObject& radice)
{
    const QJsonValue valore = radice.value(chiaveModello);
    if (valore.isUndefined())
        rifiuta(QStringLiteral("Manca la chiave modello (Tradizionale, Dualistico o Monistico)."));
    const QString nome = testoDa(valore, chiaveModello);
    for (Modello m : tuttiIModelli) {
        if (nomeModello(m) == nome)
            return m;
    }
    rifiuta(QStringLiteral("%1: \"%2\" non è un modello: deve essere Tradizionale, Dualistico o Monistico.")
                .arg(chiaveModello, nome));
}

bool haCasella(const Domanda& d, Casella casella)
{
    if (!d.presente || !d.haCaselle())
        return false;
    switch (casella) {
    case Casella::SI:
        return true;
    case Casella::NO:
        return !d.casellaSingola();
    case Casella::NA:
        break;
    }
    return d.offreNA;
}

class LettoreJson
{
public:
    LettoreJson(const QJsonObject& radice, Questionario& q) : m_radice(radice), m_q(q) {}

    void leggi()
    {
        static const QStringList ammesse{chiaveModello,   chiaveDatiGenerali, chiaveRiunioniNA,
                                         chiaveConteggi,  chiaveRisposte,     chiaveNoteSI,
                                         chiaveNoteAltre, chiaveSegniNota,    chiaveMembri};
        for (auto it = m_radice.constBegin(); it != m_radice.constEnd(); ++it) {
            if (!ammesse.contains(it.key()))
                rifiuta(QStringLiteral("Chiave \"%1\" sconosciuta.").arg(it.key()));
        }
        // Nothing that is set here may run an editing rule.
        const Questionario::Caricamento caricamento(m_q);
        datiGenerali();
        conteggi();
        membri();
        risposte();
        note();
    }

private:
    QString modello() const { return nomeModello(m_q.modello()); }

    void datiGenerali()
    {
        const QJsonValue valore = m_radice.value(chiaveDatiGenerali);
        if (!valore.isUndefined()) {
            if (!valore.isObject())
                rifiuta(QStringLiteral("%1 deve essere un oggetto.").arg(chiaveDatiGenerali));
            const QJsonObject campi = valore.toObject();
            const QList<int> ammessi = m_q.profilo().campiGenerali();
            for (auto it = campi.constBegin(); it != campi.constEnd(); ++it) {
                const QString dove = QStringLiteral("%1[\"%2\"]").arg(chiaveDatiGenerali, it.key());
                bool numero = false;
                const int campo = it.key().toInt(&numero);
                // Only the plain decimal form names a field: "07" or " 7" is not field 7.
                if (!numero || QString::number(campo) != it.key())
                    rifiuta(QStringLiteral("%1: la chiave deve essere il numero di un campo generale.")
                                .arg(dove));
                if (!ammessi.contains(campo))
                    rifiuta(QStringLiteral("%1: il modello %2 non ha il campo generale %3.")
                                .arg(dove, modello())
                                .arg(campo));
                m_q.setCampoGenerale(campo, testoDa(it.value(), dove));
            }
        }
        const QJsonValue na = m_radice.value(chiaveRiunioniNA);
        if (na.isUndefined() || !booleanoDa(na, chiaveRiunioniNA))
            return;
        if (!m_q.profilo().haRiunioniComitatoEsecutivo)
            rifiuta(QStringLiteral("%1: il modello %2 non ha il numero di riunioni del comitato esecutivo.")
                        .arg(chiaveRiunioniNA, modello()));
        // The mark empties field 65: a value there would be lost without a word.
        if (!m_q.campoGenerale(65).isEmpty())
            rifiuta(QStringLiteral("%1: con il campo 65 segnato come non applicabile, %2[\"65\"] deve essere "
                                   "vuoto.")
                        .arg(chiaveRiunioniNA, chiaveDatiGenerali));
        m_q.setRiunioniNA(true);
    }

    void conteggi()
    {
        const std::optional<QJsonArray> elenco = elencoDa(m_radice, chiaveConteggi, numeroConteggi);
        if (!elenco)
            return;
        for (int k = 0; k < numeroConteggi; ++k) {
            const QString dove = indiceDi(chiaveConteggi, k);
            const QString testo = testoDa(elenco->at(k), dove);
            if (!testo.isEmpty() && m_q.modello() != Modello::Tradizionale)
                rifiuta(QStringLiteral("%1: il modello %2 non ha i numeri di riunioni del Riquadro II; deve "
                                       "essere vuoto.")
                            .arg(dove, modello()));
            m_q.setConteggioRiquadroII(k, testo);
        }
    }

    void membri()
    {
        const std::optional<QJsonArray> righe = elencoDa(m_radice, chiaveMembri, -1);
        if (!righe)
            return;
        TabellaMembri& tabella = m_q.membri();
        const LayoutMembri& layout = tabella.layout();
        const int colonne = tabella.numeroColonne();
        if (righe->size() > TabellaMembri::massimoMembri)
            rifiuta(QStringLiteral("%1 ha %2 righe: al massimo %3.")
                        .arg(chiaveMembri)
                        .arg(righe->size())
                        .arg(TabellaMembri::massimoMembri));
        for (qsizetype r = 0; r < righe->size(); ++r) {
            const QString dove = indiceDi(chiaveMembri, r);
            const QJsonValue valore = righe->at(r);
            if (!valore.isArray())
                rifiuta(QStringLiteral("%1 deve essere un elenco.").arg(dove));
            const QJsonArray riga = valore.toArray();
            if (riga.size() != colonne)
                rifiuta(QStringLiteral("%1 deve avere %2 colonne nel modello %3, non %4.")
                            .arg(dove)
                            .arg(colonne)
                            .arg(modello())
                            .arg(riga.size()));
            // Rows beyond the first three are added as the window adds them, labelled with their number.
            if (r >= tabella.numeroRighe() && !tabella.aggiungiMembro())
                rifiuta(QStringLiteral("%1: troppe righe.").arg(dove));
            for (int c = 0; c < colonne; ++c) {
                const QString testo = testoDa(riga.at(c), indiceDi(dove, c));
                // The row label and the requisiti column are the table's own, recomputed below.
                if (c != 0 && c != layout.colonnaRequisiti)
                    tabella.setCella(int(r), c, testo);
            }
            tabella.setCella(int(r), layout.colonnaRequisiti,
                             tabella.requisiti(int(r)).isEmpty() ? QString() : QStringLiteral("SI"));
        }
    }

    void risposte()
    {
        const std::optional<QJsonArray> elenco = elencoDa(m_radice, chiaveRisposte, numeroIndici);
        if (!elenco)
            return;
        for (int i = 0; i < numeroIndici; ++i) {
            const QString dove = indiceDi(chiaveRisposte, i);
            const QString testo = testoDa(elenco->at(i), dove);
            if (testo.isEmpty())
                continue;
            Casella casella = Casella::SI;
            if (testo == QStringLiteral("NO"))
                casella = Casella::NO;
            else if (testo == QStringLiteral("NA"))
                casella = Casella::NA;
            else if (testo != QStringLiteral("SI"))
                rifiuta(QStringLiteral("%1: \"%2\" non è una risposta: deve essere \"SI\", \"NO\", \"NA\" o "
                                       "\"\".")
                            .arg(dove, testo));
            const Domanda& d = m_q.profilo().domanda(i);
            if (!d.presente || !d.haCaselle())
                rifiuta(QStringLiteral("%1: nel modello %2 la domanda %3 non ha caselle di risposta; deve "
                                       "essere \"\".")
                            .arg(dove, modello())
                            .arg(i));
            if (!haCasella(d, casella))
                rifiuta(QStringLiteral("%1: nel modello %2 la domanda %3 non ha la casella %4.")
                            .arg(dove, modello())
                            .arg(i)
                            .arg(testo));
            m_q.setBox(i, casella, true);
        }
    }

    void note()
    {
        for (const QString& chiave : {chiaveNoteSI, chiaveNoteAltre}) {
            const std::optional<QJsonArray> elenco = elencoDa(m_radice, chiave, numeroIndici);
            if (!elenco)
                continue;
            for (int i = 0; i < numeroIndici; ++i) {
                const QString dove = indiceDi(chiave, i);
                const QString testo = testoDa(elenco->at(i), dove);
                // The questionnaire would cut a longer note short; refused rather than shortened.
                if (testo.size() > Questionario::lunghezzaMassimaNota)
                    rifiuta(QStringLiteral("%1: la nota ha %2 caratteri, al massimo %3.")
                                .arg(dove)
                                .arg(testo.size())
                                .arg(Questionario::lunghezzaMassimaNota));
                if (chiave == chiaveNoteSI)
                    m_q.setNotaSI(i, testo);
                else
                    m_q.setNotaAltre(i, testo);
            }
        }
        const std::optional<QJsonArray> segni = elencoDa(m_radice, chiaveSegniNota, numeroIndici);
        if (!segni)
            return;
        for (int i = 0; i < numeroIndici; ++i)
            m_q.setSegnoNota(i, booleanoDa(segni->at(i), indiceDi(chiaveSegniNota, i)));
    }

    const QJsonObject& m_radice;
    Questionario& m_q;
};

} // namespace

QString stringaJson(const QString& testo)
{
    QString uscita;
    aggiungiStringa(uscita, testo);
    return uscita;
}

QString questionarioInJson(const Questionario& q)
{
    return ScrittoreJson(q).scrivi();
}

std::unique_ptr<Questionario> questionarioDaJson(const QByteArray& json, Interazione& interazione)
{
    if (json.trimmed().isEmpty())
        rifiuta(QStringLiteral("Il JSON è vuoto."));
    QJsonParseError errore;
    const QJsonDocument documento = QJsonDocument::fromJson(json, &errore);
    if (errore.error != QJsonParseError::NoError)
        rifiuta(QStringLiteral("JSON non valido al byte %1: %2.")
                    .arg(errore.offset)
                    .arg(descrizioneErroreJson(errore.error)));
    if (!documento.isObject())
        rifiuta(QStringLiteral("Il JSON deve essere un oggetto con le chiavi del questionario."));
    const QJsonObject radice = documento.object();
    auto q = std::make_unique<Questionario>(modelloDa(radice), interazione);
    LettoreJson(radice, *q).leggi();
    return q;
}
