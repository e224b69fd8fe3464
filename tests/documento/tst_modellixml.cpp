// Walks the three templates by position with pugixml alone, to check that each holds every node the writer
// and the reader address, in the shape they expect.
#include "documento/documentoxml.h"
#include "support/percorsixml.h"

#include <QStringList>
#include <QTest>
#include <pugixml.hpp>

namespace {

const char* const cartellaModelli = DATI_TEST "/../../templates/";

pugi::xml_node figlio(const pugi::xml_node& nodo, int posizione)
{
    const auto figli = elementiFigli(nodo);
    return posizione < figli.size() ? figli.at(posizione) : pugi::xml_node();
}

QString nome(const pugi::xml_node& nodo)
{
    return QString::fromUtf8(nodo.name());
}

QStringList nomiFigli(const pugi::xml_node& nodo)
{
    QStringList nomi;
    for (const auto& f : elementiFigli(nodo))
        nomi << nome(f);
    return nomi;
}

// "SchedaOrganoControllo/0/0/2/1", for failure messages.
QString percorso(pugi::xml_node nodo)
{
    QStringList parti;
    for (; nodo.parent().type() == pugi::node_element; nodo = nodo.parent())
        parti.prepend(QString::number(elementiFigli(nodo.parent()).indexOf(nodo)));
    parti.prepend(nome(nodo));
    return parti.join(u'/');
}

bool foglia(const pugi::xml_node& nodo)
{
    return nodo.type() == pugi::node_element && elementiFigli(nodo).isEmpty();
}

// Empty unless the question element is missing a part: Q/0, Q/1 with exactly a value and a note (the reader
// takes the first and the last child of Q/1), the note with an attribute, Q/2 and Q/3.
QString difettoDomanda(const pugi::xml_node& q)
{
    const QString dove = percorso(q) + ": ";
    if (elementiFigli(q).size() != 4)
        return dove + "4 figli attesi, trovati " + QString::number(elementiFigli(q).size());
    const pugi::xml_node risposta = figlio(q, 1);
    if (elementiFigli(risposta).size() != 2)
        return dove + "Q/1 deve avere esattamente valore e nota";
    for (const auto& parte :
         {figlio(q, 0), figlio(risposta, 0), figlio(risposta, 1), figlio(q, 2), figlio(q, 3)})
        if (!foglia(parte))
            return dove + nome(parte) + " non è una foglia";
    if (!figlio(risposta, 1).first_attribute())
        return dove + "la nota non ha attributi";
    return {};
}

struct Modello
{
    QString file;
    QString elementoModello;
    QString membro;
    QStringList presenze; // member children 5 and after
    QList<int> domandePerRiquadro;
    QStringList riunioni;           // leaves of G/5
    QStringList etichetteRequisiti; // note captions of G/4/0/0 and G/4/1/0
};

} // namespace

Q_DECLARE_METATYPE(Modello)

class TestModelliXml : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modello_data();
    void modello();
};

void TestModelliXml::modello_data()
{
    QTest::addColumn<Modello>("atteso");

    QTest::newRow("Tradizionale") << Modello{
        "SchedaOrganiSociali_base_trad.dat",
        "ModelloTradizionale",
        "MembroCollegioSindacale",
        {"NumeroPresenzeRiunioniCollegioSindacale", "NumeroPresenzeAssemblee",
         "NumeroPresenzeRiunioniConsiglioAmministrazione", "NumeroPresenzeRiunioniComitatoEsecutivo"},
        {35, 18, 26},
        {"RiunioniCollegioSindacale", "Assemblee", "RiunioniConsiglioAmministrazione",
         "RiunioniComitatoEsecutivo"},
        {"Nota 1.0.a", "Nota 1.0.b"}};
    QTest::newRow("Dualistico") << Modello{
        "SchedaOrganiSociali_base_dual.dat",
        "ModelloDualistico",
        "MembroConsiglioSorveglianza",
        {"NumeroPresenzeRiunioniConsiglioSorveglianza", "NumeroPresenzeAssemblee",
         "NumeroPresenzeRiunioniConsiglioGestione"},
        {34, 25},
        {"RiunioniConsiglioSorveglianza", "Assemblee", "RiunioniConsiglioGestione"},
        {"Nota 1.0.a", "Nota 1.0.b"}};
    QTest::newRow("Monistico") << Modello{
        "SchedaOrganiSociali_base_mon.dat",
        "ModelloMonistico",
        "MembroControlloGestione",
        {"NumeroPresenzeRiunioniComitatoControlloGestione", "NumeroPresenzeAssemblee",
         "NumeroPresenzeRiunioniConsiglioAmministrazione", "NumeroPresenzeRiunioniComitatoEsecutivo"},
        {35, 26},
        {"RiunioniComitatoControlloGestione", "Assemblee", "RiunioniConsiglioAmministrazione",
         "RiunioniComitatoEsecutivo"},
        {"Nota 1.0.b", "Nota 1.0.a"}}; // question 80 comes first in this model
}

void TestModelliXml::modello()
{
    QFETCH(Modello, atteso);

    pugi::xml_document documento;
    const QByteArray file = QByteArray(cartellaModelli) + atteso.file.toUtf8();
    const unsigned opzioni = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration |
                             pugi::parse_comments | pugi::parse_pi;
    const pugi::xml_parse_result esito = documento.load_file(file.constData(), opzioni);
    QVERIFY2(esito, esito.description());
    DocumentoXml caricato; // the program's own loader accepts it too
    QVERIFY2(caricato.carica(QString::fromUtf8(file)), qPrintable(caricato.erroreCaricamento()));

    // The declaration names UTF-8; the root is the last node of the document.
    QCOMPARE(documento.first_child().type(), pugi::node_declaration);
    QCOMPARE(QString::fromUtf8(documento.first_child().attribute("encoding").value()), "UTF-8");
    const pugi::xml_node radice = documento.last_child();
    QCOMPARE(radice.type(), pugi::node_element);
    QVERIFY(radice == documento.document_element());
    QCOMPARE(nome(radice), "SchedaOrganoControllo");

    // The template carries no text at all: every value and note the writer leaves alone reads back empty.
    for (const auto& nodo : documento.select_nodes("//text()"))
        QFAIL(qPrintable("text in " + percorso(nodo.node().parent()) + ": \"" +
                         QString::fromUtf8(nodo.node().value()) + "\""));

    const pugi::xml_node m = figlio(figlio(radice, 0), 0);
    QCOMPARE(nome(m), atteso.elementoModello);
    QCOMPARE(elementiFigli(m).size(), 3);
    const pugi::xml_node g = figlio(m, 0), c = figlio(m, 1), a = figlio(m, 2);

    // General data.
    QCOMPARE(elementiFigli(g).size(), 6);
    for (int i : {0, 1, 2})
        QVERIFY2(foglia(figlio(g, i)), qPrintable(percorso(figlio(g, i))));
    const pugi::xml_node referente = figlio(g, 3);
    QCOMPARE(elementiFigli(referente).size(), 3);
    for (const auto& campo : elementiFigli(referente))
        QVERIFY2(foglia(campo), qPrintable(percorso(campo)));
    const pugi::xml_node requisiti = figlio(g, 4);
    QCOMPARE(elementiFigli(requisiti).size(), 2);
    for (int i : {0, 1}) {
        const pugi::xml_node q = figlio(figlio(requisiti, i), 0);
        QCOMPARE(difettoDomanda(q), QString());
        QCOMPARE(QString::fromUtf8(figlio(figlio(q, 1), 1).first_attribute().value()),
                 atteso.etichetteRequisiti.at(i));
    }
    const pugi::xml_node riunioni = figlio(g, 5);
    QCOMPARE(nomiFigli(riunioni), atteso.riunioni);
    for (const auto& conteggio : elementiFigli(riunioni))
        QVERIFY2(foglia(conteggio), qPrintable(percorso(conteggio)));
    if (atteso.riunioni.size() == 4)
        QCOMPARE(QString::fromUtf8(figlio(riunioni, 3).first_attribute().value()), "false");

    // Control body: exactly four children, the president's member element first.
    QCOMPARE(elementiFigli(c).size(), 4);
    const pugi::xml_node presidente = figlio(figlio(c, 0), 0);
    QCOMPARE(nome(presidente), atteso.membro);
    QCOMPARE(nomiFigli(presidente),
             QStringList({"Nome", "CodiceFiscale", "ElettoMinoranze", "IncarichiRicoperti",
                          QStringLiteral("RequisitiProfessionalitàInPossesso")}) +
                 atteso.presenze);
    const pugi::xml_node incarichi = figlio(presidente, 3);
    QCOMPARE(nomiFigli(incarichi), QStringList({"SocietaDelGruppo", "SocietaQuotate", "AltreSocieta"}));
    for (const auto& parte : elementiFigli(presidente) + elementiFigli(incarichi))
        QVERIFY2(parte == incarichi || foglia(parte), qPrintable(percorso(parte)));
    QVERIFY(foglia(figlio(c, 1)));
    QVERIFY(foglia(figlio(c, 2)));
    QCOMPARE(difettoDomanda(figlio(c, 3)), QString());
    QCOMPARE(QString::fromUtf8(figlio(figlio(figlio(c, 3), 1), 1).first_attribute().value()), "Nota 1.0.c");

    // Answers: one section per section of the model, each with exactly its number of question elements.
    QList<int> domande;
    for (const auto& riquadro : elementiFigli(a)) {
        domande << elementiFigli(riquadro).size();
        for (const auto& q : elementiFigli(riquadro))
            QCOMPARE(difettoDomanda(q), QString());
    }
    QCOMPARE(domande, atteso.domandePerRiquadro);
}

QTEST_APPLESS_MAIN(TestModelliXml)
#include "tst_modellixml.moc"
