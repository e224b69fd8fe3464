#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <pugixml.hpp>

class Questionario;

// Walks a questionnaire file by position with pugixml alone, sharing nothing with the program's writer or
// reader. A path starts at one of the anchors R (the root, the document's last element), M (R/0/0), G (M/0),
// C (M/1) or A (M/2) and goes on with positions among element children, separated by "/": "A/0/5/1/0". A
// negative position counts from the end: "C/-1" is the last child of C.
class FileXml
{
public:
    explicit FileXml(const QByteArray& contenuto);
    static FileXml daFile(const QString& percorso);

    const QByteArray& contenuto() const { return m_contenuto; }

    // Null when a position along the path is missing.
    pugi::xml_node nodo(const QString& percorso) const;
    // The text of the node and of everything below it; a marker naming the path when the node is missing.
    QString valore(const QString& percorso) const;
    QString nome(const QString& percorso) const;
    int numeroFigli(const QString& percorso) const;
    QStringList nomiFigli(const QString& percorso) const;
    // The first attribute's value, or a marker when there is none; and how many attributes there are.
    QString attributo(const QString& percorso) const;
    int numeroAttributi(const QString& percorso) const;

private:
    pugi::xml_document m_documento;
    QByteArray m_contenuto;
};

// What the program's writer makes of `q`, written to a temporary folder and read back with the walker.
FileXml fileScritto(const Questionario& q);
// Replaces the file's bytes; false when it cannot be written whole.
bool salvaContenuto(const QString& percorso, const QByteArray& contenuto);

// The document with the text of the node at `percorso` (anchored as for FileXml) replaced, serialised again.
QByteArray conTesto(const QByteArray& contenuto, const QString& percorso, const QString& testo);
// Every element of a document in document order, each with its path of positions from the root ("R/0/0/2").
QStringList percorsiElementi(const QByteArray& contenuto);
// The document with the element at `percorso` (as given by percorsiElementi) removed, serialised again.
QByteArray senzaElemento(const QByteArray& contenuto, const QString& percorso);
