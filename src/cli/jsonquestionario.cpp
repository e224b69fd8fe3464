#include "cli/jsonquestionario.h"

#include "legacy/contenutov11.h"
#include "questionario/questionario.h"

#include <QBuffer>
#include <QIODevice>
#include <QSet>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>
// The library copies the runs of a string that need no escape 16 bytes at a time where SSE2 is there.
#if defined(__SSE2__)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/document.h>
#include <rapidjson/error/error.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

ErroreDati::ErroreDati(QString descrizione)
    : m_descrizione(std::move(descrizione)), m_utf8(m_descrizione.toUtf8())
{}

// --- Writing ---

namespace json {

// The library's output stream: a block of bytes handed to the device whenever it fills up.
class Flusso
{
public:
    using Ch = char;
    static constexpr size_t dimensioneBlocco = 1 << 16;

    explicit Flusso(QIODevice& dispositivo) : m_dispositivo(dispositivo), m_blocco(dimensioneBlocco) {}

    void Put(char c)
    {
        if (m_usati == dimensioneBlocco)
            Flush();
        m_blocco[m_usati++] = c;
    }
    void Flush()
    {
        if (m_usati > 0 && m_dispositivo.write(m_blocco.data(), qint64(m_usati)) != qint64(m_usati))
            m_fallito = true;
        m_usati = 0;
    }
    void scrivi(const char* dati, size_t dimensione)
    {
        while (dimensione > 0) {
            if (m_usati == dimensioneBlocco)
                Flush();
            const size_t parte = std::min(dimensione, dimensioneBlocco - m_usati);
            std::memcpy(m_blocco.data() + m_usati, dati, parte);
            m_usati += parte;
            dati += parte;
            dimensione -= parte;
        }
    }
    void scrivi(const char* testo) { scrivi(testo, std::strlen(testo)); }
    bool fallito() const { return m_fallito; }

    // One value is a whole JSON document for the library, so the writer starts afresh for each.
    rapidjson::Writer<Flusso, rapidjson::UTF16<char16_t>, rapidjson::UTF8<char>>& valore()
    {
        m_scrittore.Reset(*this);
        return m_scrittore;
    }

    // A string, as UTF-8: the library escapes it into a buffer kept from one string to the next, copying
    // the runs that need no escape whole (its vector path, for this kind of buffer), and the buffer goes out
    // in one piece.
    void stringa(const QByteArray& utf8)
    {
        m_testo.Clear();
        m_scrittoreTesto.Reset(m_testo);
        m_scrittoreTesto.String(utf8.constData(), rapidjson::SizeType(utf8.size()));
        scrivi(m_testo.GetString(), m_testo.GetSize());
    }

private:
    QIODevice& m_dispositivo;
    std::vector<char> m_blocco;
    size_t m_usati = 0;
    bool m_fallito = false;
    rapidjson::Writer<Flusso, rapidjson::UTF16<char16_t>, rapidjson::UTF8<char>> m_scrittore;
    rapidjson::StringBuffer m_testo;
    rapidjson::Writer<rapidjson::StringBuffer> m_scrittoreTesto;
};

// Found by argument-dependent lookup, as the library's own streams are.
inline void PutUnsafe(Flusso& flusso, char c)
{
    flusso.Put(c);
}
inline void PutReserve(Flusso&, size_t) {}

} // namespace json

ScrittoreJson::ScrittoreJson(QIODevice& uscita) : m_flusso(std::make_unique<json::Flusso>(uscita)) {}

ScrittoreJson::~ScrittoreJson() = default;

ScrittoreJson& ScrittoreJson::operator<<(const char* testo)
{
    m_flusso->scrivi(testo);
    return *this;
}

void ScrittoreJson::testo(const QString& valore)
{
    const char16_t* inizio = reinterpret_cast<const char16_t*>(valore.utf16());
    const qsizetype n = valore.size();
    // Half a surrogate pair has no UTF-8 form. No text read from a file or a JSON holds one; should one get
    // here, it is written as the replacement character rather than cut the string short.
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c(inizio[i]);
        if (c.isHighSurrogate() && i + 1 < n && QChar(inizio[i + 1]).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            QString sostituito = valore;
            for (qsizetype k = i; k < n; ++k) {
                if (sostituito.at(k).isHighSurrogate() && k + 1 < n && sostituito.at(k + 1).isLowSurrogate())
                    ++k;
                else if (sostituito.at(k).isSurrogate())
                    sostituito[k] = QChar::ReplacementCharacter;
            }
            testo(sostituito);
            return;
        }
    }
    m_flusso->stringa(valore.toUtf8());
}

void ScrittoreJson::booleano(bool valore)
{
    m_flusso->valore().Bool(valore);
}

void ScrittoreJson::intero(int valore)
{
    m_flusso->valore().Int(valore);
}

void ScrittoreJson::numero(double valore)
{
    auto& scrittore = m_flusso->valore();
    scrittore.SetMaxDecimalPlaces(3);
    scrittore.Double(valore);
}

void ScrittoreJson::nullo()
{
    m_flusso->valore().Null();
}

void ScrittoreJson::fine()
{
    m_flusso->Flush();
    if (m_flusso->fallito())
        throw ErroreDati(QStringLiteral("Impossibile scrivere il risultato: errore di scrittura."));
}

namespace {

const char* const chiaveModello = "modello";
const char* const chiaveDatiGenerali = "datiGenerali";
const char* const chiaveRiunioniNA = "riunioniNA";
const char* const chiaveConteggi = "conteggiRiquadroII";
const char* const chiaveRisposte = "risposte";
const char* const chiaveNoteSI = "noteSI";
const char* const chiaveNoteAltre = "noteAltre";
const char* const chiaveSegniNota = "segniNota";
const char* const chiaveMembri = "membri";
constexpr int numeroConteggi = 3;

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

// The fixed layout: scalar arrays on one line, one line per general field, note and member row.
class Impaginazione
{
public:
    explicit Impaginazione(ScrittoreJson& json) : m_j(json) {}

    void chiave(const char* nome) { m_j << "  \"" << nome << "\": "; }

    // General fields by number, one per line.
    template <typename Campi, typename Testo> void campi(const Campi& indici, Testo&& testo)
    {
        m_j << "{\n";
        for (qsizetype k = 0; k < qsizetype(indici.size()); ++k) {
            m_j << "    ";
            m_j.testo(QString::number(indici[k]));
            m_j << ": ";
            m_j.testo(testo(indici[k]));
            m_j << (k + 1 < qsizetype(indici.size()) ? ",\n" : "\n");
        }
        m_j << "  }";
    }

    // An array of n values: on one line, or one value per line indented under its key.
    template <typename Valore> void elenco(int n, bool inLinea, Valore&& valore)
    {
        m_j << (inLinea ? "[" : "[\n");
        for (int k = 0; k < n; ++k) {
            if (k > 0)
                m_j << (inLinea ? ", " : ",\n");
            if (!inLinea)
                m_j << "    ";
            valore(k);
        }
        m_j << (inLinea ? "]" : "\n  ]");
    }

private:
    ScrittoreJson& m_j;
};

class ImpaginazioneQuestionario : public Impaginazione
{
public:
    ImpaginazioneQuestionario(const Questionario& q, ScrittoreJson& json)
        : Impaginazione(json), m_q(q), m_j(json)
    {}

    void scrivi()
    {
        m_j << "{\n";
        chiave(chiaveModello);
        m_j.testo(nomeModello(m_q.modello()));
        m_j << ",\n";

        chiave(chiaveDatiGenerali);
        campi(m_q.profilo().campiGenerali(), [this](int campo) { return m_q.campoGenerale(campo); });
        m_j << ",\n";

        chiave(chiaveRiunioniNA);
        m_j.booleano(m_q.riunioniNA());
        m_j << ",\n";

        chiave(chiaveConteggi);
        elenco(numeroConteggi, true, [this](int k) { m_j.testo(m_q.conteggioRiquadroII(k)); });
        m_j << ",\n";
        chiave(chiaveRisposte);
        elenco(numeroIndici, true, [this](int i) { m_j.testo(testoRisposta(m_q.risposta(i))); });
        m_j << ",\n";
        chiave(chiaveNoteSI);
        elenco(numeroIndici, false, [this](int i) { m_j.testo(m_q.notaSI(i)); });
        m_j << ",\n";
        chiave(chiaveNoteAltre);
        elenco(numeroIndici, false, [this](int i) { m_j.testo(m_q.notaAltre(i)); });
        m_j << ",\n";
        chiave(chiaveSegniNota);
        elenco(numeroIndici, true, [this](int i) { m_j.booleano(m_q.segnoNota(i)); });
        m_j << ",\n";

        chiave(chiaveMembri);
        const TabellaMembri& membri = m_q.membri();
        elenco(membri.numeroRighe(), false, [&](int r) {
            elenco(membri.numeroColonne(), true, [&](int c) { m_j.testo(membri.cella(r, c)); });
        });
        m_j << "\n}\n";
    }

private:
    const Questionario& m_q;
    ScrittoreJson& m_j;
};

// --- Reading ---

[[noreturn]] void rifiuta(const QString& descrizione)
{
    throw ErroreDati(descrizione);
}

QString descrizioneErroreJson(rapidjson::ParseErrorCode errore)
{
    switch (errore) {
    case rapidjson::kParseErrorDocumentEmpty:
        return QStringLiteral("documento vuoto");
    case rapidjson::kParseErrorDocumentRootNotSingular:
        return QStringLiteral("altro testo dopo la fine del documento");
    case rapidjson::kParseErrorValueInvalid:
        return QStringLiteral("valore non valido");
    case rapidjson::kParseErrorObjectMissName:
        return QStringLiteral("manca il nome di una chiave, o l'oggetto non è chiuso");
    case rapidjson::kParseErrorObjectMissColon:
        return QStringLiteral("mancano i due punti dopo il nome di una chiave");
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
        return QStringLiteral("manca una virgola tra due chiavi, o l'oggetto non è chiuso");
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
        return QStringLiteral("manca una virgola tra due valori, o l'elenco non è chiuso");
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
    case rapidjson::kParseErrorStringEscapeInvalid:
        return QStringLiteral("sequenza di escape non valida");
    case rapidjson::kParseErrorStringMissQuotationMark:
        return QStringLiteral("testo tra virgolette non chiuso");
    case rapidjson::kParseErrorStringInvalidEncoding:
        return QStringLiteral("testo UTF-8 non valido");
    case rapidjson::kParseErrorNumberTooBig:
    case rapidjson::kParseErrorNumberMissFraction:
    case rapidjson::kParseErrorNumberMissExponent:
        return QStringLiteral("numero non valido");
    default:
        break;
    }
    return QStringLiteral("errore di sintassi");
}

QString indiceDi(const QString& chiave, qsizetype indice)
{
    return QStringLiteral("%1[%2]").arg(chiave).arg(indice);
}

QString testoDi(const rapidjson::Value& valore)
{
    return QString::fromUtf8(valore.GetString(), valore.GetStringLength());
}

QString testoDa(const rapidjson::Value& valore, const QString& dove)
{
    if (!valore.IsString())
        rifiuta(QStringLiteral("%1 deve essere un testo.").arg(dove));
    return testoDi(valore);
}

bool booleanoDa(const rapidjson::Value& valore, const QString& dove)
{
    if (!valore.IsBool())
        rifiuta(QStringLiteral("%1 deve essere true o false.").arg(dove));
    return valore.GetBool();
}

// The members of an object, each key once: the library keeps both of a repeated key, and which one counts
// would be a guess. `oggetto` names the object in the message; empty for the whole JSON.
void verificaChiaviUniche(const rapidjson::Value& valore, const QString& oggetto)
{
    QSet<QString> viste;
    for (auto m = valore.MemberBegin(); m != valore.MemberEnd(); ++m) {
        const QString chiave = testoDi(m->name);
        if (viste.contains(chiave))
            rifiuta(oggetto.isEmpty() ? QStringLiteral("Chiave \"%1\" ripetuta.").arg(chiave)
                                      : QStringLiteral("%1: chiave \"%2\" ripetuta.").arg(oggetto, chiave));
        viste.insert(chiave);
    }
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
    LettoreJson(const rapidjson::Value& radice, Questionario& q) : m_radice(radice), m_q(q) {}

    void leggi()
    {
        static const QStringList ammesse{chiaveModello,   chiaveDatiGenerali, chiaveRiunioniNA,
                                         chiaveConteggi,  chiaveRisposte,     chiaveNoteSI,
                                         chiaveNoteAltre, chiaveSegniNota,    chiaveMembri};
        for (auto m = m_radice.MemberBegin(); m != m_radice.MemberEnd(); ++m) {
            if (!ammesse.contains(testoDi(m->name)))
                rifiuta(QStringLiteral("Chiave \"%1\" sconosciuta.").arg(testoDi(m->name)));
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

    const rapidjson::Value* valore(const char* chiave) const
    {
        const auto m = m_radice.FindMember(chiave);
        return m == m_radice.MemberEnd() ? nullptr : &m->value;
    }

    // A present key must hold an array of exactly `lunghezza` elements (any length when negative); a missing
    // key gives nothing.
    const rapidjson::Value* elenco(const char* chiave, qsizetype lunghezza) const
    {
        const rapidjson::Value* v = valore(chiave);
        if (!v)
            return nullptr;
        if (!v->IsArray())
            rifiuta(QStringLiteral("%1 deve essere un elenco.").arg(chiave));
        if (lunghezza >= 0 && v->Size() != lunghezza)
            rifiuta(QStringLiteral("%1 deve avere %2 elementi, non %3.")
                        .arg(chiave)
                        .arg(lunghezza)
                        .arg(v->Size()));
        return v;
    }

    void datiGenerali()
    {
        if (const rapidjson::Value* v = valore(chiaveDatiGenerali)) {
            if (!v->IsObject())
                rifiuta(QStringLiteral("%1 deve essere un oggetto.").arg(chiaveDatiGenerali));
            verificaChiaviUniche(*v, QString::fromLatin1(chiaveDatiGenerali));
            const QList<int> ammessi = m_q.profilo().campiGenerali();
            for (auto m = v->MemberBegin(); m != v->MemberEnd(); ++m) {
                const QString chiave = testoDi(m->name);
                const QString dove = QStringLiteral("%1[\"%2\"]").arg(chiaveDatiGenerali, chiave);
                bool numero = false;
                const int campo = chiave.toInt(&numero);
                // Only the plain decimal form names a field: "07" or " 7" is not field 7.
                if (!numero || QString::number(campo) != chiave)
                    rifiuta(QStringLiteral("%1: la chiave deve essere il numero di un campo generale.")
                                .arg(dove));
                if (!ammessi.contains(campo))
                    rifiuta(QStringLiteral("%1: il modello %2 non ha il campo generale %3.")
                                .arg(dove, modello())
                                .arg(campo));
                m_q.setCampoGenerale(campo, testoDa(m->value, dove));
            }
        }
        const rapidjson::Value* na = valore(chiaveRiunioniNA);
        if (!na || !booleanoDa(*na, chiaveRiunioniNA))
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
        const rapidjson::Value* v = elenco(chiaveConteggi, numeroConteggi);
        if (!v)
            return;
        for (int k = 0; k < numeroConteggi; ++k) {
            const QString dove = indiceDi(chiaveConteggi, k);
            const QString testo = testoDa((*v)[k], dove);
            if (!testo.isEmpty() && m_q.modello() != Modello::Tradizionale)
                rifiuta(QStringLiteral("%1: il modello %2 non ha i numeri di riunioni del Riquadro II; deve "
                                       "essere vuoto.")
                            .arg(dove, modello()));
            m_q.setConteggioRiquadroII(k, testo);
        }
    }

    void membri()
    {
        const rapidjson::Value* righe = elenco(chiaveMembri, -1);
        if (!righe)
            return;
        TabellaMembri& tabella = m_q.membri();
        const LayoutMembri& layout = tabella.layout();
        const int colonne = tabella.numeroColonne();
        if (righe->Size() > TabellaMembri::massimoMembri)
            rifiuta(QStringLiteral("%1 ha %2 righe: al massimo %3.")
                        .arg(chiaveMembri)
                        .arg(righe->Size())
                        .arg(TabellaMembri::massimoMembri));
        for (rapidjson::SizeType r = 0; r < righe->Size(); ++r) {
            const QString dove = indiceDi(chiaveMembri, r);
            const rapidjson::Value& riga = (*righe)[r];
            if (!riga.IsArray())
                rifiuta(QStringLiteral("%1 deve essere un elenco.").arg(dove));
            if (int(riga.Size()) != colonne)
                rifiuta(QStringLiteral("%1 deve avere %2 colonne nel modello %3, non %4.")
                            .arg(dove)
                            .arg(colonne)
                            .arg(modello())
                            .arg(riga.Size()));
            // Rows beyond the first three are added as the window adds them, labelled with their number.
            if (int(r) >= tabella.numeroRighe() && !tabella.aggiungiMembro())
                rifiuta(QStringLiteral("%1: troppe righe.").arg(dove));
            for (int c = 0; c < colonne; ++c) {
                const QString testo = testoDa(riga[rapidjson::SizeType(c)], indiceDi(dove, c));
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
        const rapidjson::Value* v = elenco(chiaveRisposte, numeroIndici);
        if (!v)
            return;
        for (int i = 0; i < numeroIndici; ++i) {
            const QString dove = indiceDi(chiaveRisposte, i);
            const QString testo = testoDa((*v)[i], dove);
            if (testo.isEmpty())
                continue;
            Casella casella = Casella::SI;
            if (testo == QStringLiteral("NO"))
                casella = Casella::NO;
            else if (testo == QStringLiteral("NA"))
                casella = Casella::NA;
            else if (testo != QStringLiteral("SI"))
                rifiuta(QStringLiteral(
                            "%1: \"%2\" non è una risposta: deve essere \"SI\", \"NO\", \"NA\" o \"\".")
                            .arg(dove, testo));
            const Domanda& d = m_q.profilo().domanda(i);
            if (!d.presente || !d.haCaselle())
                rifiuta(
                    QStringLiteral("%1: nel modello %2 la domanda %3 non ha caselle di risposta; deve essere "
                                   "\"\".")
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
        for (const bool si : {true, false}) {
            const char* chiave = si ? chiaveNoteSI : chiaveNoteAltre;
            const rapidjson::Value* v = elenco(chiave, numeroIndici);
            if (!v)
                continue;
            for (int i = 0; i < numeroIndici; ++i) {
                const QString dove = indiceDi(chiave, i);
                const QString testo = testoDa((*v)[i], dove);
                // The questionnaire would cut a longer note short; refused rather than shortened.
                if (testo.size() > Questionario::lunghezzaMassimaNota)
                    rifiuta(QStringLiteral("%1: la nota ha %2 caratteri, al massimo %3.")
                                .arg(dove)
                                .arg(testo.size())
                                .arg(Questionario::lunghezzaMassimaNota));
                if (si)
                    m_q.setNotaSI(i, testo);
                else
                    m_q.setNotaAltre(i, testo);
            }
        }
        const rapidjson::Value* segni = elenco(chiaveSegniNota, numeroIndici);
        if (!segni)
            return;
        for (int i = 0; i < numeroIndici; ++i)
            m_q.setSegnoNota(i, booleanoDa((*segni)[i], indiceDi(chiaveSegniNota, i)));
    }

    const rapidjson::Value& m_radice;
    Questionario& m_q;
};

Modello modelloDa(const rapidjson::Value& radice)
{
    const auto m = radice.FindMember(chiaveModello);
    if (m == radice.MemberEnd())
        rifiuta(QStringLiteral("Manca la chiave modello (Tradizionale, Dualistico o Monistico)."));
    const QString nome = testoDa(m->value, chiaveModello);
    for (Modello modello : tuttiIModelli) {
        if (nomeModello(modello) == nome)
            return modello;
    }
    rifiuta(QStringLiteral("%1: \"%2\" non è un modello: deve essere Tradizionale, Dualistico o Monistico.")
                .arg(chiaveModello, nome));
}

} // namespace

void scriviQuestionarioJson(const Questionario& q, ScrittoreJson& json)
{
    ImpaginazioneQuestionario(q, json).scrivi();
}

void scriviContenutoV11Json(const ContenutoV11& c, ScrittoreJson& json)
{
    Impaginazione impaginazione(json);
    json << "{\n";
    impaginazione.chiave("versione");
    json.testo(QStringLiteral("1.1"));
    json << ",\n";
    impaginazione.chiave(chiaveDatiGenerali);
    std::array<int, numeroCampiGeneraliV11> campi{};
    for (int k = 0; k < numeroCampiGeneraliV11; ++k)
        campi[k] = k;
    impaginazione.campi(campi, [&c](int campo) { return c.campiGenerali[campo]; });
    json << ",\n";
    impaginazione.chiave("minoranze");
    impaginazione.elenco(numeroMinoranzeV11, true, [&](int k) { json.booleano(c.minoranze[k]); });
    json << ",\n";
    impaginazione.chiave("conteggi");
    impaginazione.elenco(numeroConteggiV11, true, [&](int k) { json.testo(c.conteggi[k]); });
    json << ",\n";
    impaginazione.chiave(chiaveRisposte);
    impaginazione.elenco(numeroGruppiV11, true, [&](int i) { json.testo(testoRisposta(c.risposte[i])); });
    json << ",\n";
    impaginazione.chiave(chiaveNoteSI);
    impaginazione.elenco(numeroGruppiV11, false, [&](int i) { json.testo(c.noteSIV11[i]); });
    json << ",\n";
    impaginazione.chiave(chiaveNoteAltre);
    impaginazione.elenco(numeroGruppiV11, false, [&](int i) { json.testo(c.noteAltreV11[i]); });
    json << ",\n";
    impaginazione.chiave(chiaveSegniNota);
    impaginazione.elenco(numeroGruppiV11, true, [&](int i) { json.booleano(c.segniNota[i]); });
    json << "\n}\n";
}

QByteArray questionarioInJson(const Questionario& q)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ScrittoreJson json(buffer);
    scriviQuestionarioJson(q, json);
    json.fine();
    return buffer.data();
}

std::unique_ptr<Questionario> questionarioDaJson(QByteArray json, Interazione& interazione)
{
    if (std::all_of(json.cbegin(), json.cend(), [](char c) { return std::isspace(uchar(c)); }))
        rifiuta(QStringLiteral("Il JSON è vuoto."));
    rapidjson::Document documento;
    // Strings are decoded in the input's own bytes, not copied, unless a NUL byte would end the input early.
    if (json.contains('\0'))
        documento.Parse<rapidjson::kParseValidateEncodingFlag>(json.constData(), size_t(json.size()));
    else {
        // The encoding check takes a sequence's continuation bytes before judging them: after a lead byte at
        // the very end it reads up to three bytes past the last one, which must still be the input's own.
        json.append(QByteArray(3, '\0'));
        documento.ParseInsitu<rapidjson::kParseValidateEncodingFlag>(json.data());
    }
    if (documento.HasParseError())
        rifiuta(QStringLiteral("JSON non valido al byte %1: %2.")
                    .arg(documento.GetErrorOffset())
                    .arg(descrizioneErroreJson(documento.GetParseError())));
    if (!documento.IsObject())
        rifiuta(QStringLiteral("Il JSON deve essere un oggetto con le chiavi del questionario."));
    verificaChiaviUniche(documento, QString());
    auto q = std::make_unique<Questionario>(modelloDa(documento), interazione);
    LettoreJson(documento, *q).leggi();
    return q;
}
