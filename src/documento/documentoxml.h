#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <functional>
#include <memory>

class QFileDevice;
class QIODevice;
class BufferAnalizzatore;

namespace pugi {
struct xml_node_struct;
class xml_document;
} // namespace pugi

// Raised by every failing access or write: a missing node, a node without attributes, a document that could
// not be loaded, a file that could not be written. The description is Italian and ready for a message box.
class ErroreXml : public std::exception
{
public:
    explicit ErroreXml(const QString& descrizione);
    const QString& descrizione() const { return m_descrizione; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_descrizione;
    QByteArray m_utf8;
};

// A handle on one element of a DocumentoXml. Positions are 0-based and count element children only:
// text between elements, comments and processing instructions never shift them. Every call on a handle
// that names no element, and every position or attribute that is not there, raises ErroreXml; only
// prossimoFratello() answers a null handle, which ends a walk.
class NodoXml
{
public:
    NodoXml() = default;

    bool nullo() const { return m_nodo == nullptr; }
    QString nome() const;

    int numeroFigli() const;
    NodoXml figlio(int posizione) const;
    NodoXml primoFiglio() const;
    NodoXml ultimoFiglio() const;
    // The next element among the parent's children, or a null handle after the last one. Walking the
    // children this way costs one step per child, where figlio(n) walks from the first every time.
    NodoXml prossimoFratello() const;

    // The character content (text and CDATA) of the element and of everything below it, in document order.
    QString testo() const;
    // The same, taken out of the document: the element is left empty, and the memory its text held goes back
    // to the system at once, so that a reader holding the texts it has read and the document it is reading
    // does not hold each text twice.
    QString prendiTesto();
    // Replaces all content of the element (children included) with one text; the empty text leaves it
    // empty. Attributes stay. Characters that XML cannot carry are left out.
    void setTesto(const QString& testo);

    QString primoAttributo() const;
    void setPrimoAttributo(const QString& valore);

    // A new element with this name, no namespace and no attributes: just before `riferimento`, which must be
    // a child of this element, or as the last child.
    NodoXml inserisciPrima(const QString& nome, const NodoXml& riferimento);
    NodoXml aggiungi(const QString& nome);

    friend bool operator==(const NodoXml&, const NodoXml&) = default;

private:
    friend class DocumentoXml;
    explicit NodoXml(pugi::xml_node_struct* nodo) : m_nodo(nodo) {}

    pugi::xml_node_struct* m_nodo = nullptr;
};

// One XML document: a questionnaire file or a template. Loading refuses anything that is not one
// well-formed element tree, and input that is not valid in its encoding (UTF-8 unless a BOM or the
// declaration says UTF-16 or ISO-8859-1). Nothing is fetched and no DTD is processed: a DOCTYPE that declares
// entities is refused, any other DOCTYPE is ignored, only the five predefined entities and character
// references are expanded, and a reference to any other entity stays as literal text. A failed load leaves
// the document empty, and the first access then raises ErroreXml with the reason of the failure.
// Ownership: the document owns every node; a NodoXml is a non-owning handle, valid until the document is
// destroyed or loaded again, or the node is removed by setTesto on one of its ancestors.
class DocumentoXml
{
public:
    DocumentoXml();
    ~DocumentoXml();
    DocumentoXml(const DocumentoXml&) = delete;
    DocumentoXml& operator=(const DocumentoXml&) = delete;

    // Parse the whole input before returning; false and erroreCaricamento() on any failure. Only an ordinary
    // file (or a link to one) of at most 256 MB is read.
    bool carica(const QString& percorso);
    bool caricaDaByte(const QByteArray& contenuto);
    QString erroreCaricamento() const { return m_erroreCaricamento; }

    // The document's last child element, the root of a questionnaire file. Comments and processing
    // instructions after it do not count.
    NodoXml radice() const;

    // Writes the whole document, its XML declaration included, in the encoding that the declaration names
    // (UTF-8 only; no declaration means UTF-8), with no indentation or line breaks added. CR in text is
    // written as "&#13;" so that a CR LF comes back as CR LF. The file is replaced atomically: on any
    // failure the existing file is left as it was. Both raise ErroreXml.
    void salva(const QString& percorso) const;
    void salva(QIODevice& dispositivo) const;

private:
    QString analizza(BufferAnalizzatore& buffer, const std::function<qsizetype(size_t)>& riga);
    QString scrivi(QIODevice& dispositivo) const;

    std::unique_ptr<pugi::xml_document> m_documento;
    QString m_erroreCaricamento;
};

// Why a file could not be written, in Italian, with the system's own words in brackets.
QString motivoErroreFile(const QFileDevice& file);
