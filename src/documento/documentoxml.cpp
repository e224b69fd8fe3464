#include "documento/documentoxml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <pugixml.hpp>
#include <string_view>
#include <utility>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Options of every load. Indentation between elements is dropped, while a text made only of spaces that is
// the whole content of its element is kept. Comments and processing instructions are kept so that a saved
// template keeps them, but they never count as children. DOCTYPE is kept only to be inspected. Fragment
// mode keeps text outside the root element, so that such a file can be refused instead of silently trimmed.
constexpr unsigned int opzioniCaricamento = pugi::parse_default | pugi::parse_ws_pcdata_single |
                                            pugi::parse_declaration | pugi::parse_doctype |
                                            pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment;

QString nomeDi(const pugi::xml_node& nodo)
{
    return QString::fromUtf8(nodo.name());
}

int posizioneTraFratelli(pugi::xml_node nodo)
{
    int posizione = 0;
    for (auto n = nodo.previous_sibling(); n; n = n.previous_sibling())
        if (n.type() == pugi::node_element)
            ++posizione;
    return posizione;
}

// "SchedaOrganoControllo/0/0/2/1": the top-level element's name, then the positions down to the node.
QString percorso(pugi::xml_node nodo)
{
    QStringList parti;
    while (nodo.parent() && nodo.parent().type() != pugi::node_document) {
        parti.prepend(QString::number(posizioneTraFratelli(nodo)));
        nodo = nodo.parent();
    }
    parti.prepend(nomeDi(nodo));
    return parti.join(u'/');
}

// The largest file read: well above the largest real questionnaire (about 50 MB).
constexpr qint64 dimensioneMassima = qint64(256) << 20;

// The tree a parse builds is held to a budget in proportion to the input: a file of millions of empty
// elements or attributes would otherwise take more than ten times its size. Real questionnaires use a
// small fraction of it.
struct BudgetAnalisi
{
    bool attivo = false;
    bool superato = false;
    size_t restante = 0;
};
thread_local BudgetAnalisi budgetAnalisi;

void* allocaConBudget(size_t dimensione)
{
    if (budgetAnalisi.attivo) {
        if (dimensione > budgetAnalisi.restante) {
            budgetAnalisi.superato = true;
            return nullptr;
        }
        budgetAnalisi.restante -= dimensione;
    }
    return std::malloc(dimensione);
}

class AnalisiConBudget
{
public:
    explicit AnalisiConBudget(size_t dimensioneIngresso)
    {
        static const bool installato =
            (pugi::set_memory_management_functions(allocaConBudget, std::free), true);
        Q_UNUSED(installato);
        budgetAnalisi = {true, false, (size_t(32) << 20) + 2 * dimensioneIngresso};
    }
    ~AnalisiConBudget() { budgetAnalisi.attivo = false; }
    AnalisiConBudget(const AnalisiConBudget&) = delete;
    AnalisiConBudget& operator=(const AnalisiConBudget&) = delete;

    bool superato() const { return budgetAnalisi.superato; }
};

QString descrizioneStato(pugi::xml_parse_status stato)
{
    switch (stato) {
    case pugi::status_out_of_memory:
        return QStringLiteral("memoria insufficiente");
    case pugi::status_unrecognized_tag:
        return QStringLiteral("marcatore non riconosciuto");
    case pugi::status_bad_pi:
        return QStringLiteral("istruzione di elaborazione o dichiarazione malformata");
    case pugi::status_bad_comment:
        return QStringLiteral("commento malformato");
    case pugi::status_bad_cdata:
        return QStringLiteral("sezione CDATA malformata");
    case pugi::status_bad_doctype:
        return QStringLiteral("dichiarazione DOCTYPE malformata");
    case pugi::status_bad_pcdata:
        return QStringLiteral("testo malformato");
    case pugi::status_bad_start_element:
        return QStringLiteral("marcatore di apertura malformato");
    case pugi::status_bad_attribute:
        return QStringLiteral("attributo malformato");
    case pugi::status_bad_end_element:
        return QStringLiteral("marcatore di chiusura malformato");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("marcatore di chiusura mancante o diverso da quello di apertura");
    default:
        return QStringLiteral("errore interno dell'analizzatore");
    }
}

// Whether the parser will read the bytes as UTF-8: no byte order mark or declaration naming another encoding.
// Only such input is checked for valid UTF-8 (the parser converts the others, and copies them to do so).
bool letteComeUtf8(const char* dati, size_t n)
{
    const auto inizia = [&](std::string_view prefisso) {
        return n >= prefisso.size() && std::string_view(dati, prefisso.size()) == prefisso;
    };
    if (inizia("\xEF\xBB\xBF"))
        return true;
    if (inizia("\xFE\xFF") || inizia("\xFF\xFE") || (n >= 2 && (dati[0] == 0 || dati[1] == 0)))
        return false;
    if (!inizia("<?xml"))
        return true;
    const std::string_view dichiarazione(dati, std::min<size_t>(n, 1024));
    const size_t fine = dichiarazione.find("?>");
    const size_t codifica = dichiarazione.substr(0, fine).find("encoding");
    if (codifica == std::string_view::npos)
        return true;
    const size_t virgoletta = dichiarazione.find_first_of("\"'", codifica);
    if (virgoletta == std::string_view::npos || virgoletta > fine)
        return true;
    const size_t chiusa = dichiarazione.find(dichiarazione[virgoletta], virgoletta + 1);
    const QByteArray nome =
        QByteArray(dati + virgoletta + 1, qsizetype(std::min(chiusa, dichiarazione.size()) - virgoletta - 1))
            .toLower();
    return nome == "utf-8" || nome == "utf8";
}

} // namespace

// A buffer in the parser's own memory, handed over to the document that parses it in place.
class BufferAnalizzatore
{
public:
    explicit BufferAnalizzatore(size_t dimensione)
        : m_dati(static_cast<char*>(pugi::get_memory_allocation_function()(dimensione ? dimensione : 1))),
          m_dimensione(dimensione)
    {}
    ~BufferAnalizzatore()
    {
        if (m_dati)
            pugi::get_memory_deallocation_function()(m_dati);
    }
    BufferAnalizzatore(const BufferAnalizzatore&) = delete;
    BufferAnalizzatore& operator=(const BufferAnalizzatore&) = delete;

    char* dati() const { return m_dati; }
    size_t dimensione() const { return m_dimensione; }
    // The document owns it from here on, whatever the parse gives.
    char* cedi() { return std::exchange(m_dati, nullptr); }

private:
    char* m_dati;
    size_t m_dimensione;
};

namespace {

QString motivoSintassi(const pugi::xml_parse_result& esito, const std::function<qsizetype(size_t)>& riga)
{
    return QStringLiteral("XML non valido alla riga %1: %2")
        .arg(riga(esito.offset))
        .arg(descrizioneStato(esito.status));
}

// The structure a well-formed document must have, which the lenient parser does not enforce: the
// declaration first, one root element, no text outside it, no entity declarations.
QString verificaStruttura(const pugi::xml_document& documento)
{
    int elementi = 0;
    bool primo = true;
    for (const auto& nodo : documento.children()) {
        switch (nodo.type()) {
        case pugi::node_declaration:
            if (!primo)
                return QStringLiteral("la dichiarazione XML non è all'inizio del documento");
            break;
        case pugi::node_doctype:
            if (elementi > 0)
                return QStringLiteral("dichiarazione DOCTYPE dopo l'elemento radice");
            if (QByteArray(nodo.value()).contains("<!ENTITY"))
                return QStringLiteral(
                    "il documento dichiara delle entità (DOCTYPE con <!ENTITY>), che non sono ammesse");
            break;
        case pugi::node_element:
            ++elementi;
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            return QStringLiteral("testo fuori dall'elemento radice");
        default:
            break;
        }
        primo = false;
    }
    if (elementi == 0)
        return QStringLiteral("nessun elemento radice");
    if (elementi > 1)
        return QStringLiteral("più di un elemento radice");
    return {};
}

bool nomeElementoValido(const QString& nome)
{
    if (nome.isEmpty() || nome.front().isDigit() || nome.front() == u'-' || nome.front() == u'.')
        return false;
    for (const QChar c : nome)
        if (c.isSpace() || QStringView(u"<>&'\"/=!?;,()[]{}").contains(c))
            return false;
    return true;
}

// Forwards the serialised bytes to a device in large blocks, checking every write; after the first failure
// nothing more is written. The device is unbuffered, so the blocks keep the system calls few. A raw CR can
// only come from text set or loaded as "&#13;" (the parser turns line ends into LF), so each one is written
// back as "&#13;" for a reader that normalises line ends to keep it.
class ScrittoreSuDispositivo final : public pugi::xml_writer
{
public:
    static constexpr qsizetype dimensioneBlocco = 1 << 20;

    explicit ScrittoreSuDispositivo(QIODevice& dispositivo) : m_dispositivo(dispositivo)
    {
        m_blocco.reserve(dimensioneBlocco);
    }

    void write(const void* dati, size_t dimensione) override
    {
        const char* inizio = static_cast<const char*>(dati);
        const char* fine = inizio + dimensione;
        while (inizio < fine && errore.isEmpty()) {
            const char* cr = std::find(inizio, fine, '\r');
            scriviTutto(inizio, cr - inizio);
            if (cr == fine)
                break;
            scriviTutto("&#13;", 5);
            inizio = cr + 1;
        }
    }

    // Writes what is still in the block; call once after the document has been printed.
    void svuota()
    {
        if (m_blocco.isEmpty() || !errore.isEmpty())
            return;
        const qint64 scritti = m_dispositivo.write(m_blocco);
        if (scritti < 0)
            errore = QStringLiteral("errore di scrittura (%1)").arg(m_dispositivo.errorString());
        else if (scritti != m_blocco.size())
            errore = QStringLiteral("scrittura incompleta (disco pieno?)");
        m_blocco.clear();
    }

    QString errore; // empty while every write succeeded

private:
    void scriviTutto(const char* dati, qint64 dimensione)
    {
        if (dimensione == 0 || !errore.isEmpty())
            return;
        m_blocco.append(dati, dimensione);
        if (m_blocco.size() >= dimensioneBlocco)
            svuota();
    }

    QIODevice& m_dispositivo;
    QByteArray m_blocco;
};

} // namespace

ErroreXml::ErroreXml(const QString& descrizione) : m_descrizione(descrizione), m_utf8(descrizione.toUtf8()) {}

// --- NodoXml ---

namespace {

// The element a handle names; a null handle raises.
pugi::xml_node elementoDi(pugi::xml_node_struct* nodo)
{
    if (!nodo)
        throw ErroreXml(QStringLiteral("Nodo inesistente"));
    return pugi::xml_node(nodo);
}

pugi::xml_node primoElemento(pugi::xml_node nodo)
{
    while (nodo && nodo.type() != pugi::node_element)
        nodo = nodo.next_sibling();
    return nodo;
}

// XML 1.0 cannot carry control characters other than tab, LF and CR, nor half a surrogate pair: text pasted
// from other programs may hold them, and a file with them would be refused by any other reader.
bool vietato(const char16_t* t, qsizetype i, qsizetype n)
{
    const char16_t u = t[i];
    if (u >= 0x20 && u < 0xD800)
        return false;
    if (u < 0x20)
        return u != u'\t' && u != u'\n' && u != u'\r';
    if (QChar::isHighSurrogate(u))
        return i + 1 >= n || !QChar::isLowSurrogate(t[i + 1]);
    if (QChar::isLowSurrogate(u))
        return i == 0 || !QChar::isHighSurrogate(t[i - 1]);
    return u == 0xFFFE || u == 0xFFFF;
}

// The text without what XML cannot carry; scanned once, and copied only when something must go.
QString senzaVietati(QString testo)
{
    const char16_t* t = reinterpret_cast<const char16_t*>(testo.utf16());
    const qsizetype n = testo.size();
    qsizetype i = 0;
    while (i < n && !vietato(t, i, n))
        ++i;
    if (i == n)
        return testo;
    QString pulito;
    pulito.reserve(n);
    qsizetype inizio = 0;
    for (; i < n; ++i) {
        if (!vietato(t, i, n))
            continue;
        pulito.append(QStringView(t + inizio, i - inizio));
        inizio = i + 1;
    }
    pulito.append(QStringView(t + inizio, n - inizio));
    return pulito;
}

// A text read from a file, as writing it back would keep it: the parser passes on control characters that
// XML forbids, and a questionnaire must not hold what its own file cannot.
QString letto(const char* utf8, qsizetype dimensione = -1)
{
    return senzaVietati(QString::fromUtf8(utf8, dimensione));
}

QString attributoMancante(const pugi::xml_node& nodo)
{
    return QStringLiteral("Attributo mancante: <%1> in %2 non ha attributi")
        .arg(nomeDi(nodo), percorso(nodo));
}

} // namespace

QString NodoXml::nome() const
{
    return nomeDi(elementoDi(m_nodo));
}

int NodoXml::numeroFigli() const
{
    int numero = 0;
    for (auto figlio = primoElemento(elementoDi(m_nodo).first_child()); figlio;
         figlio = primoElemento(figlio.next_sibling()))
        ++numero;
    return numero;
}

NodoXml NodoXml::figlio(int posizione) const
{
    const pugi::xml_node padre = elementoDi(m_nodo);
    if (posizione >= 0) {
        int contatore = 0;
        for (auto figlio = primoElemento(padre.first_child()); figlio;
             figlio = primoElemento(figlio.next_sibling()))
            if (contatore++ == posizione)
                return NodoXml(figlio.internal_object());
    }
    throw ErroreXml(QStringLiteral("Nodo mancante alla posizione %1 di <%2> in %3 (figli presenti: %4)")
                        .arg(posizione)
                        .arg(nomeDi(padre), percorso(padre))
                        .arg(numeroFigli()));
}

NodoXml NodoXml::primoFiglio() const
{
    return figlio(0);
}

NodoXml NodoXml::ultimoFiglio() const
{
    const pugi::xml_node padre = elementoDi(m_nodo);
    for (auto n = padre.last_child(); n; n = n.previous_sibling())
        if (n.type() == pugi::node_element)
            return NodoXml(n.internal_object());
    throw ErroreXml(
        QStringLiteral("Nodo mancante: <%1> in %2 non ha figli").arg(nomeDi(padre), percorso(padre)));
}

NodoXml NodoXml::prossimoFratello() const
{
    return NodoXml(primoElemento(elementoDi(m_nodo).next_sibling()).internal_object());
}

namespace {

// The element's only child when it is a text, which is the usual case and needs no walk.
pugi::xml_node testoUnico(const pugi::xml_node& elemento)
{
    const pugi::xml_node figlio = elemento.first_child();
    if (figlio && !figlio.next_sibling() &&
        (figlio.type() == pugi::node_pcdata || figlio.type() == pugi::node_cdata))
        return figlio;
    return {};
}

// Gives the whole pages inside [inizio, inizio + dimensione) back to the system; reading them afterwards
// gives zeros. Only for memory whose content is no longer needed: a text being dropped from the document,
// which lies in the parser's buffer or in the document's own pages, both private anonymous memory.
void rilascia(const char* inizio, size_t dimensione)
{
#if defined(Q_OS_LINUX)
    static const uintptr_t pagina = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t primo = (reinterpret_cast<uintptr_t>(inizio) + pagina - 1) & ~(pagina - 1);
    const uintptr_t fine = (reinterpret_cast<uintptr_t>(inizio) + dimensione) & ~(pagina - 1);
    if (fine > primo)
        madvise(reinterpret_cast<void*>(primo), fine - primo, MADV_DONTNEED);
#else
    Q_UNUSED(inizio);
    Q_UNUSED(dimensione);
#endif
}

} // namespace

QString NodoXml::prendiTesto()
{
    pugi::xml_node unico = testoUnico(elementoDi(m_nodo));
    if (!unico) {
        const QString tutto = testo();
        pugi::xml_node(m_nodo).remove_children();
        return tutto;
    }
    const char* valore = unico.value();
    const size_t dimensione = std::strlen(valore);
    const QString risultato = letto(valore, qsizetype(dimensione));
    // Released while the document still owns the text, then dropped from the tree.
    rilascia(valore, dimensione);
    pugi::xml_node(m_nodo).remove_children();
    return risultato;
}

QString NodoXml::testo() const
{
    if (const pugi::xml_node unico = testoUnico(elementoDi(m_nodo)))
        return letto(unico.value());
    struct Raccoglitore : pugi::xml_tree_walker
    {
        QByteArray testo;
        bool for_each(pugi::xml_node& nodo) override
        {
            if (nodo.type() == pugi::node_pcdata || nodo.type() == pugi::node_cdata)
                testo += nodo.value();
            return true;
        }
    } raccoglitore;
    elementoDi(m_nodo).traverse(raccoglitore);
    return letto(raccoglitore.testo.constData(), raccoglitore.testo.size());
}

void NodoXml::setTesto(const QString& testo)
{
    pugi::xml_node nodo = elementoDi(m_nodo);
    nodo.remove_children();
    if (!testo.isEmpty()) {
        const QByteArray utf8 = senzaVietati(testo).toUtf8();
        nodo.append_child(pugi::node_pcdata).set_value(utf8.constData(), size_t(utf8.size()));
    }
}

QString NodoXml::primoAttributo() const
{
    const pugi::xml_node nodo = elementoDi(m_nodo);
    if (!nodo.first_attribute())
        throw ErroreXml(attributoMancante(nodo));
    return letto(nodo.first_attribute().value());
}

void NodoXml::setPrimoAttributo(const QString& valore)
{
    pugi::xml_node nodo = elementoDi(m_nodo);
    pugi::xml_attribute attributo = nodo.first_attribute();
    if (!attributo)
        throw ErroreXml(attributoMancante(nodo));
    const QByteArray utf8 = senzaVietati(valore).toUtf8();
    attributo.set_value(utf8.constData(), size_t(utf8.size()));
}

namespace {

QByteArray nomeElemento(const QString& nome)
{
    if (!nomeElementoValido(nome))
        throw ErroreXml(QStringLiteral("Nome di elemento non valido: \"%1\"").arg(nome));
    return nome.toUtf8();
}

} // namespace

NodoXml NodoXml::inserisciPrima(const QString& nome, const NodoXml& riferimento)
{
    pugi::xml_node padre = elementoDi(m_nodo);
    const pugi::xml_node prima = elementoDi(riferimento.m_nodo);
    if (prima.parent() != padre)
        throw ErroreXml(
            QStringLiteral("<%1> non è figlio di <%2> in %3: impossibile inserire <%4> prima di esso")
                .arg(nomeDi(prima), nomeDi(padre), percorso(padre), nome));
    const pugi::xml_node inserito = padre.insert_child_before(nomeElemento(nome).constData(), prima);
    if (!inserito)
        throw ErroreXml(QStringLiteral("Impossibile inserire <%1> in <%2> (%3)")
                            .arg(nome, nomeDi(padre), percorso(padre)));
    return NodoXml(inserito.internal_object());
}

NodoXml NodoXml::aggiungi(const QString& nome)
{
    pugi::xml_node padre = elementoDi(m_nodo);
    const pugi::xml_node aggiunto = padre.append_child(nomeElemento(nome).constData());
    if (!aggiunto)
        throw ErroreXml(QStringLiteral("Impossibile aggiungere <%1> a <%2> (%3)")
                            .arg(nome, nomeDi(padre), percorso(padre)));
    return NodoXml(aggiunto.internal_object());
}

QString motivoErroreFile(const QFileDevice& file)
{
    QString motivo;
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        motivo = QStringLiteral("accesso negato");
        break;
    case QFileDevice::OpenError:
        motivo = QStringLiteral("impossibile creare il file nella cartella");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        motivo = QStringLiteral("errore di scrittura");
        break;
    case QFileDevice::RenameError:
        motivo = QStringLiteral("impossibile sostituire il file esistente");
        break;
    default:
        motivo = QStringLiteral("errore del file system");
        break;
    }
    return QStringLiteral("%1 (%2)").arg(motivo, file.errorString());
}

// --- DocumentoXml ---

DocumentoXml::DocumentoXml() : m_documento(std::make_unique<pugi::xml_document>()) {}

DocumentoXml::~DocumentoXml() = default;

bool DocumentoXml::carica(const QString& percorsoFile)
{
    const auto fallito = [&](const QString& motivo) {
        m_documento->reset();
        m_erroreCaricamento = QStringLiteral("Impossibile leggere il file %1: %2")
                                  .arg(QDir::toNativeSeparators(percorsoFile), motivo);
        return false;
    };
    // Only an ordinary file is opened: a pipe with nobody writing would wait for ever, a device such as
    // /dev/zero never ends.
    const QFileInfo info(percorsoFile);
    if (!info.exists())
        return fallito(QStringLiteral("il file non esiste"));
    if (info.isDir())
        return fallito(QStringLiteral("il percorso indica una cartella"));
    if (!info.isFile())
        return fallito(QStringLiteral("non è un file ordinario"));
    if (info.size() > dimensioneMassima)
        return fallito(
            QStringLiteral("è più grande di %1 MB, il massimo che si legge").arg(dimensioneMassima >> 20));
    QFile file(percorsoFile);
    if (!file.open(QIODevice::ReadOnly))
        return fallito(QStringLiteral("il file non si può aprire (%1)").arg(file.errorString()));
    BufferAnalizzatore buffer(size_t(info.size()));
    if (!buffer.dati())
        return fallito(QStringLiteral("memoria insufficiente"));
    qint64 letti = 0;
    while (letti < info.size()) {
        const qint64 n = file.read(buffer.dati() + letti, info.size() - letti);
        if (n <= 0)
            break;
        letti += n;
    }
    if (file.error() != QFileDevice::NoError || letti != info.size())
        return fallito(QStringLiteral("errore di lettura (%1)").arg(file.errorString()));
    const QString motivo = analizza(buffer, [&](size_t posizione) {
        // The buffer was parsed in place; the line of a syntax error is counted in the file itself.
        QFile copia(percorsoFile);
        return copia.open(QIODevice::ReadOnly) ? copia.read(qint64(posizione)).count('\n') + 1 : 0;
    });
    if (!motivo.isEmpty())
        return fallito(motivo);
    m_erroreCaricamento.clear();
    return true;
}

bool DocumentoXml::caricaDaByte(const QByteArray& contenuto)
{
    BufferAnalizzatore buffer(size_t(contenuto.size()));
    if (buffer.dati())
        std::copy(contenuto.cbegin(), contenuto.cend(), buffer.dati());
    const QString motivo =
        buffer.dati()
            ? analizza(buffer,
                       [&](size_t posizione) { return contenuto.left(qsizetype(posizione)).count('\n') + 1; })
            : QStringLiteral("memoria insufficiente");
    m_erroreCaricamento =
        motivo.isEmpty() ? QString() : QStringLiteral("Impossibile leggere il documento: ") + motivo;
    return motivo.isEmpty();
}

// Parses into m_documento, which takes the buffer over; on failure empties it and returns the reason.
QString DocumentoXml::analizza(BufferAnalizzatore& buffer, const std::function<qsizetype(size_t)>& riga)
{
    m_documento->reset();
    QString motivo;
    const char* dati = buffer.dati();
    const size_t n = buffer.dimensione();
    const AnalisiConBudget budget(n);
    if (n == 0) {
        motivo = QStringLiteral("il contenuto è vuoto");
    } else if (letteComeUtf8(dati, n)) {
        // Checked before the parser works on the buffer in place.
        if (!QByteArrayView(dati, qsizetype(n)).isValidUtf8()) {
            motivo = QStringLiteral("il contenuto non è testo UTF-8 valido");
        } else {
            const pugi::xml_parse_result esito = m_documento->load_buffer_inplace_own(
                buffer.cedi(), n, opzioniCaricamento, pugi::encoding_utf8);
            motivo = esito ? verificaStruttura(*m_documento) : motivoSintassi(esito, riga);
        }
    } else {
        const pugi::xml_parse_result esito =
            m_documento->load_buffer(dati, n, opzioniCaricamento, pugi::encoding_auto);
        if (!esito)
            motivo = motivoSintassi(esito, riga);
        else if (esito.encoding == pugi::encoding_utf8 && !QByteArrayView(dati, qsizetype(n)).isValidUtf8())
            motivo = QStringLiteral("il contenuto non è testo UTF-8 valido");
        else
            motivo = verificaStruttura(*m_documento);
    }
    if (budget.superato())
        motivo = QStringLiteral("contiene troppi elementi o attributi per un questionario");
    if (!motivo.isEmpty())
        m_documento->reset();
    return motivo;
}

NodoXml DocumentoXml::radice() const
{
    for (auto n = m_documento->last_child(); n; n = n.previous_sibling())
        if (n.type() == pugi::node_element)
            return NodoXml(n.internal_object());
    throw ErroreXml(m_erroreCaricamento.isEmpty()
                        ? QStringLiteral("Il documento è vuoto: manca l'elemento radice")
                        : m_erroreCaricamento);
}

// Serialises into the device; returns the reason of a failure, empty on success.
QString DocumentoXml::scrivi(QIODevice& dispositivo) const
{
    if (!dispositivo.isWritable())
        return QStringLiteral("il dispositivo non è aperto in scrittura");
    try {
        radice();
    } catch (const ErroreXml& errore) {
        return errore.descrizione();
    }
    const pugi::xml_node dichiarazione = m_documento->find_child(
        [](const pugi::xml_node& nodo) { return nodo.type() == pugi::node_declaration; });
    const QString codifica = QString::fromUtf8(dichiarazione.attribute("encoding").value());
    if (!codifica.isEmpty() && codifica.compare(u"UTF-8", Qt::CaseInsensitive) != 0 &&
        codifica.compare(u"UTF8", Qt::CaseInsensitive) != 0)
        return QStringLiteral(
                   "la codifica \"%1\" dichiarata dal documento non è supportata in scrittura (solo UTF-8)")
            .arg(codifica);

    ScrittoreSuDispositivo scrittore(dispositivo);
    for (const auto& nodo : m_documento->children())
        nodo.print(scrittore, PUGIXML_TEXT(""), pugi::format_raw, pugi::encoding_utf8);
    scrittore.svuota();
    return scrittore.errore;
}

void DocumentoXml::salva(QIODevice& dispositivo) const
{
    const QString motivo = scrivi(dispositivo);
    if (!motivo.isEmpty())
        throw ErroreXml(QStringLiteral("Impossibile scrivere il documento: ") + motivo);
}

void DocumentoXml::salva(const QString& percorsoFile) const
{
    const auto fallito = [&](const QString& motivo) {
        return ErroreXml(QStringLiteral("Impossibile scrivere il file %1: %2")
                             .arg(QDir::toNativeSeparators(percorsoFile), motivo));
    };
    // An existing path is replaced only when it is an ordinary file (or a link to one): a pipe or a device
    // node would be swapped for a plain file.
    const QFileInfo info(percorsoFile);
    if (info.isDir())
        throw fallito(QStringLiteral("il percorso indica una cartella"));
    if (info.exists() && !info.isFile())
        throw fallito(QStringLiteral("non è un file ordinario"));
    // Unbuffered, so that every write reaches the disk and its failure is seen here rather than lost in a
    // final flush; the writer hands over large blocks.
    QSaveFile file(percorsoFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fallito(motivoErroreFile(file));
    const QString motivo = scrivi(file);
    if (!motivo.isEmpty()) {
        file.cancelWriting();
        throw fallito(motivo);
    }
    if (!file.flush() || !file.commit())
        throw fallito(motivoErroreFile(file));
}
